// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QPointF>

#include <functional>

// The History chart's measurements: each a point (a disc for an update that
// set the clock, a square for one that only measured it) with its
// uncertainty as a whisker. One item draws them all, so that thousands cost
// one drawing each rather than a graphics item each.
class MeasurementMarks : public QGraphicsItem
{
public:
    struct Mark
    {
        // Milliseconds since the epoch, and the offset in seconds.
        QPointF value;
        qreal uncertainty = 0.0;
        bool set = false;
    };
    // Where a value lies on the chart, in this item's parent's coordinates.
    using Mapping = std::function<QPointF(const QPointF& value)>;

    MeasurementMarks(const QList<Mark>& marks, QGraphicsItem* parent);

    void setColours(const QColor& set, const QColor& measured);
    // Places the marks for the plot area `area` (parent coordinates).
    void place(const QRectF& area, const Mapping& position);

    QRectF boundingRect() const override { return m_area; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    struct Placed
    {
        QPointF centre;
        qreal top;
        qreal bottom;
        bool set;
    };

    QList<Mark> m_marks;
    QList<Placed> m_placed;
    QRectF m_area;
    QColor m_set;
    QColor m_measured;
};
