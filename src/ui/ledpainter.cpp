// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/ledpainter.h"

#include <QPainter>
#include <QPixmap>
#include <QtMath>

#include <array>

namespace {

constexpr int kTop = 1;
constexpr QSize kDigitCell(10, 14);
constexpr QSize kColonCell(5, 10);
constexpr int kLitColonLeft = 111;
constexpr int kUnlitColonLeft = 116;
constexpr int kHoursColonX = 21;
constexpr int kSecondsColonX = 46;
// Panel columns of the tens and units of hours, minutes and seconds.
constexpr std::array<int, 6> kDigitX = {0, 10, 25, 35, 50, 60};

// Places and sizes are in strip pixels at scale 1; the source rectangle is
// in the strip's device pixels.
void copyCell(QPainter& painter, const QPixmap& strip, int destinationX, int sourceX, QSize size)
{
    const qreal scale = strip.devicePixelRatio();
    painter.drawPixmap(QPointF(destinationX, kTop), strip,
                       QRectF(QPointF(sourceX * scale, 0), QSizeF(size) * scale));
}

} // namespace

namespace LedPainter {

int stripScale(qreal devicePixelRatio)
{
    return qBound(1, qCeil(devicePixelRatio), 3);
}

void drawTime(QPixmap& panel, const QPixmap& strip, QTime time, bool colonOn)
{
    const std::array<int, 6> digits = {time.hour() / 10,   time.hour() % 10,   time.minute() / 10,
                                       time.minute() % 10, time.second() / 10, time.second() % 10};
    QPainter painter(&panel);
    // Plain copies: the cells replace what was there, like the LEDs they show.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (std::size_t i = 0; i < digits.size(); ++i)
        copyCell(painter, strip, kDigitX[i], kDigitCell.width() * digits[i], kDigitCell);
    // The colons come last: each covers the first column of the digit to its right.
    if (colonOn) {
        copyCell(painter, strip, kHoursColonX, kLitColonLeft, kColonCell);
        copyCell(painter, strip, kSecondsColonX, kLitColonLeft, kColonCell);
    } else {
        copyCell(painter, strip, kSecondsColonX, kUnlitColonLeft, kColonCell);
    }
}

} // namespace LedPainter
