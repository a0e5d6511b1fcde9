// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/measurementmarks.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {
constexpr qreal kMarkerSize = 7.0;
constexpr qreal kCapHalfWidth = 2.5;

// A disc or a square, drawn once and then copied to every point.
QPixmap marker(bool round, const QColor& colour, qreal scale)
{
    const int side = int(std::ceil(kMarkerSize * scale)) + 2;
    QPixmap pixmap(side, side);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QRectF box(1.0 / scale, 1.0 / scale, kMarkerSize, kMarkerSize);
    round ? painter.drawEllipse(box) : painter.drawRect(box);
    return pixmap;
}
} // namespace

MeasurementMarks::MeasurementMarks(const QList<Mark>& marks, QGraphicsItem* parent)
    : QGraphicsItem(parent)
    , m_marks(marks)
{
}

void MeasurementMarks::setColours(const QColor& set, const QColor& measured)
{
    m_set = set;
    m_measured = measured;
    update();
}

void MeasurementMarks::place(const QRectF& area, const Mapping& position)
{
    prepareGeometryChange();
    m_area = area;
    m_placed.clear();
    m_placed.reserve(m_marks.size());
    for (const Mark& mark : std::as_const(m_marks)) {
        const QPointF centre = position(mark.value);
        const qreal top = position(mark.value + QPointF(0.0, mark.uncertainty)).y();
        const qreal bottom = position(mark.value - QPointF(0.0, mark.uncertainty)).y();
        m_placed.append({centre, top, bottom, mark.set});
    }
}

void MeasurementMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->save();
    painter->setClipRect(m_area);
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    for (const bool set : {false, true}) {
        const QColor& colour = set ? m_set : m_measured;
        QList<QLineF> whiskers;
        for (const Placed& mark : std::as_const(m_placed)) {
            if (mark.set != set)
                continue;
            const qreal x = mark.centre.x();
            whiskers << QLineF(x, mark.top, x, mark.bottom) << QLineF(x - kCapHalfWidth, mark.top, x + kCapHalfWidth, mark.top)
                     << QLineF(x - kCapHalfWidth, mark.bottom, x + kCapHalfWidth, mark.bottom);
        }
        painter->setPen(QPen(colour, 1.0));
        painter->drawLines(whiskers);
        const QPixmap point = marker(set, colour, scale);
        const qreal half = (point.width() / scale) / 2.0;
        for (const Placed& mark : std::as_const(m_placed)) {
            if (mark.set == set)
                painter->drawPixmap(mark.centre - QPointF(half, half), point);
        }
    }
    painter->restore();
}
