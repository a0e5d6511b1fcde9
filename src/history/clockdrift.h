// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/historyrecord.h"

#include <QList>

#include <optional>

// How fast this PC's clock runs fast or slow, from the offsets its updates
// measured. Between two measurements that only Korvel's own settings came
// between, the clock ran free: adding back what each update set gives the
// free clock's offset at every measurement, and the slope of a line through
// those offsets (weighted by their uncertainties) is the drift. A check
// while the system's network time keeps the clock starts afresh, since the
// clock did not run free.
namespace ClockDrift {

inline constexpr double kSecondsPerDay = 86400.0;
// Only measurements this far apart say anything about a rate.
inline constexpr qint64 kShortestSpanSecs = 3600;
// Only the newest weeks count: a clock's rate changes with its battery and
// the seasons.
inline constexpr qint64 kNewestDays = 30;

struct Drift
{
    // Positive when the clock gains.
    double secondsPerDay = 0.0;
    // One standard uncertainty of the rate, in seconds a day.
    double uncertainty = 0.0;
    // How many measurements it comes from.
    int measurements = 0;

    // Parts per million.
    double ppm() const { return secondsPerDay / kSecondsPerDay * 1e6; }
};

// Nothing until two measurements at least an hour apart, between which the
// clock ran free, exist.
std::optional<Drift> of(const QList<HistoryRecord>& records);

// The interval between updates that keeps the clock within `withinSeconds`
// of the servers at this drift, counting its uncertainty too; at least the
// schedule's quarter of an hour.
double keepingHours(const Drift& drift, double withinSeconds = 0.5);

} // namespace ClockDrift
