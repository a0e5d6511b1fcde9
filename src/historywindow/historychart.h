// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/clockdrift.h"
#include "history/historyrecord.h"

#include <QChart>
#include <QList>

struct ChartColours;
class MeasurementMarks;
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The offset of the PC clock at each update over time: updates that set the
// clock and those that only measured it as two kinds of points, each with
// its uncertainty as a whisker, and the drift as a line through the offsets
// it predicts, over the weeks the drift comes from. Qt Charts draws
// the axes, the grid, the legend and the line; the points are one item of
// their own, since a series makes a graphics item for every point.
class HistoryChart : public QChart
{
    Q_OBJECT

public:
    HistoryChart(const QList<HistoryRecord>& records, const std::optional<ClockDrift::Drift>& drift,
                 const ChartColours& colours);

    void applyColours(const ChartColours& colours);

private:
    void addDrift(const QList<HistoryRecord>& measured, const ClockDrift::Drift& drift);
    void addAxes(const QList<HistoryRecord>& measured);
    void placeMarks();

    // Empty: they name the two kinds of points in the legend.
    QScatterSeries* m_setLegend;
    QScatterSeries* m_measuredLegend;
    MeasurementMarks* m_marks;
    // One line for each stretch in which only Korvel set the clock.
    QList<QLineSeries*> m_drift;
    QDateTimeAxis* m_time;
    QValueAxis* m_offset;
};
