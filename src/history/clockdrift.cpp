// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/clockdrift.h"

#include <algorithm>
#include <limits>
#include <cmath>

namespace ClockDrift {

namespace {
// No measurement is taken as closer than this, so none weighs without end.
constexpr double kLeastUncertaintySecs = 0.001;
constexpr double kLeastHours = 0.25;

// One measurement of the free-running clock: days since the first record,
// and its offset with what Korvel set before it added back.
struct Point
{
    double day;
    double offset;
    double weight;
};
using Run = QList<Point>;

double seconds(qint64 usec)
{
    return double(usec) / 1e6;
}

// The runs of measurements between which the clock ran free.
QList<Run> freeRuns(QList<HistoryRecord> records)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const HistoryRecord& a, const HistoryRecord& b) { return a.utc < b.utc; });
    QList<Run> runs{Run()};
    if (records.isEmpty())
        return runs;
    const QDateTime first = records.constFirst().utc;
    const QDateTime oldest = records.constLast().utc.addDays(-kNewestDays);
    double setBefore = 0.0;
    for (const HistoryRecord& record : std::as_const(records)) {
        if (!record.offsetUsec || record.utc < oldest)
            continue;
        if (record.outcome == HistoryRecord::Outcome::Checked) {
            runs.append(Run());
            setBefore = 0.0;
            continue;
        }
        const double offset = seconds(*record.offsetUsec);
        const double sigma = std::max(seconds(record.uncertaintyUsec), kLeastUncertaintySecs);
        runs.last().append({double(first.secsTo(record.utc)) / kSecondsPerDay, offset + setBefore, 1.0 / (sigma * sigma)});
        // The update moved the clock by the offset it measured.
        if (record.outcome == HistoryRecord::Outcome::Set)
            setBefore += offset;
    }
    return runs;
}

bool spansAnHour(const Run& run)
{
    return run.size() >= 2 && (run.constLast().day - run.constFirst().day) * kSecondsPerDay >= kShortestSpanSecs;
}

struct Centre
{
    double day = 0.0;
    double offset = 0.0;
};

Centre weightedCentre(const Run& run)
{
    Centre centre;
    double weights = 0.0;
    for (const Point& point : run) {
        centre.day += point.weight * point.day;
        centre.offset += point.weight * point.offset;
        weights += point.weight;
    }
    return {centre.day / weights, centre.offset / weights};
}
} // namespace

std::optional<Drift> of(const QList<HistoryRecord>& records)
{
    QList<Run> runs = freeRuns(records);
    runs.removeIf([](const Run& run) { return !spansAnHour(run); });
    if (runs.isEmpty())
        return std::nullopt;
    // One slope for all runs, each with its own starting offset.
    double sxx = 0.0, sxy = 0.0;
    int points = 0;
    for (const Run& run : std::as_const(runs)) {
        const Centre centre = weightedCentre(run);
        for (const Point& point : run) {
            sxx += point.weight * (point.day - centre.day) * (point.day - centre.day);
            sxy += point.weight * (point.day - centre.day) * (point.offset - centre.offset);
        }
        points += int(run.size());
    }
    Drift drift{sxy / sxx, std::sqrt(1.0 / sxx), points};
    // Measurements that scatter more than their uncertainties allow (the
    // rate changed, or something else set the clock) widen the uncertainty.
    const int freedom = points - int(runs.size()) - 1;
    if (freedom > 0) {
        double chiSquare = 0.0;
        for (const Run& run : std::as_const(runs)) {
            const Centre centre = weightedCentre(run);
            for (const Point& point : run) {
                const double residual = point.offset - centre.offset - drift.secondsPerDay * (point.day - centre.day);
                chiSquare += point.weight * residual * residual;
            }
        }
        drift.uncertainty *= std::max(1.0, std::sqrt(chiSquare / freedom));
    }
    return drift;
}

double keepingHours(const Drift& drift, double withinSeconds)
{
    const double worstRate = std::abs(drift.secondsPerDay) + drift.uncertainty;
    if (worstRate <= 0.0)
        return std::numeric_limits<double>::infinity();
    return std::max(kLeastHours, withinSeconds / worstRate * 24.0);
}

} // namespace ClockDrift
