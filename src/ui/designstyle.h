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

// Sets the text colour of labels, buttons, check boxes and edit fields alike.
void setForeground(QWidget* widget, const QColor& colour);
void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

} // namespace DesignStyle
