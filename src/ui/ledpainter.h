#pragma once

#include <QTime>

class QPixmap;

// Draws "hh:mm:ss" into the clock face's LED panel from the glyph strip.
namespace LedPainter {

// Copies the six digit cells and the colons of `time` into `panel`. With
// `colonOn` both colons are drawn lit, otherwise only the seconds colon is
// drawn, unlit, so the hours colon keeps its last (lit) drawing. The panel is
// never cleared: each call overwrites the same cells.
void drawTime(QPixmap& panel, const QPixmap& strip, QTime time, bool colonOn);

} // namespace LedPainter
