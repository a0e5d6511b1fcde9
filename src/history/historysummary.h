// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/clockdrift.h"
#include "history/historyrecord.h"

#include <QList>
#include <QString>

// What the History window's chart shows, in words: shown above it and
// spoken by a screen reader as the chart's description.
namespace HistorySummary {

QString text(const QList<HistoryRecord>& records, const std::optional<ClockDrift::Drift>& drift);

} // namespace HistorySummary
