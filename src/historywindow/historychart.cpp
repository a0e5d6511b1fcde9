// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/historychart.h"

#include "historywindow/chartcolours.h"
#include "historywindow/measurementmarks.h"

#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>

namespace {
constexpr qint64 kMsecsPerDay = 86'400'000;
// Between the chart's axes (3) and its series (4).
constexpr qreal kMarksZ = 3.5;

double seconds(qint64 usec)
{
    return double(usec) / 1e6;
}

QList<HistoryRecord> measuredInOrder(const QList<HistoryRecord>& records)
{
    QList<HistoryRecord> measured;
    std::copy_if(records.cbegin(), records.cend(), std::back_inserter(measured),
                 [](const HistoryRecord& record) { return record.offsetUsec.has_value(); });
    std::stable_sort(measured.begin(), measured.end(),
                     [](const HistoryRecord& a, const HistoryRecord& b) { return a.utc < b.utc; });
    return measured;
}

QList<MeasurementMarks::Mark> marksOf(const QList<HistoryRecord>& measured)
{
    QList<MeasurementMarks::Mark> marks;
    marks.reserve(measured.size());
    for (const HistoryRecord& record : measured)
        marks.append({{qreal(record.utc.toMSecsSinceEpoch()), seconds(*record.offsetUsec)},
                      seconds(record.uncertaintyUsec), record.outcome == HistoryRecord::Outcome::Set});
    return marks;
}
} // namespace

HistoryChart::HistoryChart(const QList<HistoryRecord>& records, const std::optional<ClockDrift::Drift>& drift,
                           const ChartColours& colours)
    : m_setLegend(new QScatterSeries(this))
    , m_measuredLegend(new QScatterSeries(this))
    , m_time(new QDateTimeAxis(this))
    , m_offset(new QValueAxis(this))
{
    const QList<HistoryRecord> measured = measuredInOrder(records);
    m_marks = new MeasurementMarks(marksOf(measured), this);
    // Over the grid and under the drift's line, which runs through the points.
    m_marks->setZValue(kMarksZ);
    m_setLegend->setName(tr("Set the clock"));
    m_setLegend->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    m_measuredLegend->setName(tr("Measured only"));
    m_measuredLegend->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    addSeries(m_setLegend);
    addSeries(m_measuredLegend);
    if (drift)
        addDrift(measured, *drift);
    addAxes(measured);
    legend()->setAlignment(Qt::AlignBottom);
    legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    applyColours(colours);
    connect(this, &QChart::plotAreaChanged, this, &HistoryChart::placeMarks);
    connect(m_time, &QDateTimeAxis::rangeChanged, this, &HistoryChart::placeMarks);
    connect(m_offset, &QValueAxis::rangeChanged, this, &HistoryChart::placeMarks);
}

void HistoryChart::addDrift(const QList<HistoryRecord>& measured, const ClockDrift::Drift& drift)
{
    // At each measurement, the offset the drift leads to since the clock was
    // last set: where the points lie when the drift holds. A check under
    // network time ends the line, as does the start of the weeks the drift
    // comes from.
    std::optional<qint64> setAt;
    QList<QPointF> line;
    const auto endLine = [&] {
        if (line.size() >= 2) {
            m_drift.append(new QLineSeries(this));
            m_drift.last()->replace(line);
        }
        line.clear();
    };
    const QDateTime from = measured.isEmpty() ? QDateTime() : measured.last().utc.addDays(-ClockDrift::kNewestDays);
    for (const HistoryRecord& record : measured) {
        const qint64 time = record.utc.toMSecsSinceEpoch();
        if (record.outcome == HistoryRecord::Outcome::Checked || record.utc < from) {
            endLine();
            setAt.reset();
            continue;
        }
        if (setAt)
            line.append({qreal(time), drift.secondsPerDay * double(time - *setAt) / kMsecsPerDay});
        if (record.outcome == HistoryRecord::Outcome::Set)
            setAt = time;
    }
    endLine();
    for (QLineSeries* series : std::as_const(m_drift)) {
        series->setName(tr("Drift"));
        addSeries(series);
        if (series != m_drift.first()) {
            for (QLegendMarker* entry : legend()->markers(series))
                entry->setVisible(false);
        }
    }
}

void HistoryChart::addAxes(const QList<HistoryRecord>& measured)
{
    qreal low = 0.0, high = 0.0;
    for (const HistoryRecord& record : measured) {
        low = std::min(low, seconds(*record.offsetUsec - record.uncertaintyUsec));
        high = std::max(high, seconds(*record.offsetUsec + record.uncertaintyUsec));
    }
    m_offset->setRange(low, high > low ? high : low + 1.0);
    m_offset->applyNiceNumbers();
    m_offset->setTitleText(tr("PC − servers (s)"));
    const QDateTime first = measured.isEmpty() ? QDateTime::currentDateTime() : measured.first().utc.toLocalTime();
    const QDateTime last = measured.isEmpty() ? first : measured.last().utc.toLocalTime();
    const qint64 span = std::max<qint64>(first.msecsTo(last), kMsecsPerDay / 24);
    m_time->setRange(first.addMSecs(-span / 20), last.addMSecs(span / 20));
    m_time->setFormat(span < 2 * kMsecsPerDay ? QStringLiteral("HH:mm") : QStringLiteral("yyyy-MM-dd"));
    m_time->setTickCount(5);
    addAxis(m_time, Qt::AlignBottom);
    addAxis(m_offset, Qt::AlignLeft);
    for (QAbstractSeries* series : QChart::series()) {
        series->attachAxis(m_time);
        series->attachAxis(m_offset);
    }
}

void HistoryChart::placeMarks()
{
    // Both axes are linear: two corners give the position of every value.
    const QPointF low(m_time->min().toMSecsSinceEpoch(), m_offset->min());
    const QPointF high(m_time->max().toMSecsSinceEpoch(), m_offset->max());
    const QPointF lowAt = mapToPosition(low, m_setLegend);
    const QPointF highAt = mapToPosition(high, m_setLegend);
    const QPointF scale((highAt.x() - lowAt.x()) / (high.x() - low.x()), (highAt.y() - lowAt.y()) / (high.y() - low.y()));
    m_marks->place(plotArea(), [&](const QPointF& value) {
        return QPointF(lowAt.x() + (value.x() - low.x()) * scale.x(), lowAt.y() + (value.y() - low.y()) * scale.y());
    });
}

void HistoryChart::applyColours(const ChartColours& colours)
{
    setBackgroundBrush(colours.background);
    setBackgroundPen(Qt::NoPen);
    legend()->setLabelColor(colours.text);
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(m_time), static_cast<QAbstractAxis*>(m_offset)}) {
        axis->setLabelsColor(colours.text);
        axis->setTitleBrush(colours.text);
        axis->setGridLineColor(colours.grid);
        axis->setLinePenColor(colours.grid);
    }
    m_setLegend->setColor(colours.set);
    m_setLegend->setBorderColor(colours.set);
    m_measuredLegend->setColor(colours.measured);
    m_measuredLegend->setBorderColor(colours.measured);
    m_marks->setColours(colours.set, colours.measured);
    for (QLineSeries* series : std::as_const(m_drift))
        series->setPen(QPen(colours.drift, 2.0));
}
