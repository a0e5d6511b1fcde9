// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/clockdrift.h"

#include <QString>

// The drift in words, for the tray tip, `korvel --status`, `--history`
// and the History window.
namespace DriftText {

// "The clock gains 1.3 s a day."
QString sentence(const ClockDrift::Drift& drift);
// The sentence with parts per million, the uncertainty and the interval
// that keeps the clock within half a second; or why there is no drift yet.
QString summary(const std::optional<ClockDrift::Drift>& drift);
// "15 minutes", "9.2 hours", "3.5 days".
QString interval(double hours);

} // namespace DriftText
