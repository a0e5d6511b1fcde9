// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/designstyle.h"

#include <QColor>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <cmath>

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

qreal contrastRatio(const QColor& first, const QColor& second)
{
    // Relative luminance of an sRGB colour, as the readability guidelines define it.
    const auto luminance = [](const QColor& colour) {
        const auto linear = [](qreal channel) {
            return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const qreal a = luminance(first);
    const qreal b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableColour(const QColor& wanted, const QColor& background, const QColor& ownText)
{
    for (const QColor& candidate : {wanted, ownText})
        if (contrastRatio(candidate, background) >= kReadableContrast)
            return candidate;
    return contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                       : QColor(Qt::white);
}

void setForeground(QWidget* widget, const QColor& colour)
{
    // Each text role against the background it is drawn on.
    constexpr std::pair<QPalette::ColorRole, QPalette::ColorRole> kTextOn[] = {
        {QPalette::WindowText, QPalette::Window}, {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button}};
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        for (const auto& [text, background] : kTextOn)
            palette.setColor(group, text,
                             readableColour(colour, palette.color(group, background), palette.color(group, text)));
    // A selected line, such as the status line's newest, keeps the palette's
    // colours where they read.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        const QColor selected = palette.color(group, QPalette::HighlightedText);
        palette.setColor(group, QPalette::HighlightedText,
                         readableColour(selected, palette.color(group, QPalette::Highlight), selected));
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
