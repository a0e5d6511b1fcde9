// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QPalette>

class QColor;
class QWidget;

// The design's fonts and colours, shared by the main window and the clock face.
namespace DesignStyle {

constexpr qreal kDialogPoints = 8.25;
constexpr qreal kLargePoints = 9.75;

// The design's faces mapped onto fonts a Linux desktop has.
QFont designFont(qreal points, bool bold = false);

// `font` made smaller in quarter points until `text` fits `width` pixels,
// but no smaller than `smallestPoints`.
QFont fittedFont(QFont font, const QString& text, int width, qreal smallestPoints);

// The contrast a text needs against its background to be read easily.
constexpr qreal kReadableContrast = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black and white).
qreal contrastRatio(const QColor& first, const QColor& second);

// `wanted` where it is readable on `background`; else the palette's own text
// colour `ownText` where that is; else black or white, whichever reads better.
QColor readableColour(const QColor& wanted, const QColor& background, const QColor& ownText);

// Sets the text colour of labels, buttons, check boxes and edit fields alike,
// each role where it reads on the background the widget has at the time (set
// the background first); the palette's own colours keep the text readable
// where the design's would not be, as under a dark theme.
void setForeground(QWidget* widget, const QColor& colour);
void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace DesignStyle
