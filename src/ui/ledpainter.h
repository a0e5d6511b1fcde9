// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTime>

class QPixmap;

// Draws "hh:mm:ss" into the clock face's LED panel from the glyph strip.
namespace LedPainter {

// The glyph strip drawn for a screen with `devicePixelRatio` device pixels
// to a pixel: 1, 2 or 3 times the strip's size, so no digit is blurred by
// scaling it up.
int stripScale(qreal devicePixelRatio);

// Copies the six digit cells and the colons of `time` into `panel`. With
// `colonOn` both colons are drawn lit, otherwise only the seconds colon is
// drawn, unlit, so the hours colon keeps its last (lit) drawing. The panel is
// never cleared: each call overwrites the same cells. Panel and strip share
// one device pixel ratio, so each cell is copied pixel for pixel.
void drawTime(QPixmap& panel, const QPixmap& strip, QTime time, bool colonOn);

} // namespace LedPainter
