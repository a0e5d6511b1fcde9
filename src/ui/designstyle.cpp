// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/designstyle.h"

#include <QColor>
#include <QFontMetrics>
#include <QWidget>

namespace DesignStyle {

// The design names two faces that Linux desktops lack. Arial is matched to
// a metric twin by fontconfig; the old dialog face gets the same twin, whose
// widths keep the captions that hold controls in their gaps readable.
QFont designFont(qreal points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("sans-serif")});
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont fittedFont(QFont font, const QString& text, int width, qreal smallestPoints)
{
    while (QFontMetrics(font).horizontalAdvance(text) > width && font.pointSizeF() - 0.25 >= smallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

void setForeground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::Text, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace DesignStyle
