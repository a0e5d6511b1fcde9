// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timeclient/timereceipt.h"

#include <QString>

#include <optional>

// One question to one time server, given up after a time limit: what a
// refinement asks, apart from the component's cycle and its events.
namespace TimeQuestion {

// Asks `entry` ("host" or "host:port") once; nothing when it cannot be
// resolved or reached, or sends anything but four bytes within `limitMsecs`
// of the question.
std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs);

} // namespace TimeQuestion
