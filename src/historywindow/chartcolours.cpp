// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/chartcolours.h"

ChartColours ChartColours::forPalette(const QPalette& palette)
{
    ChartColours colours;
    colours.background = palette.color(QPalette::Base);
    colours.text = palette.color(QPalette::Text);
    const bool dark = colours.background.lightnessF() < 0.5;
    // The grid a fifth of the way from the ground to the text.
    colours.grid = QColor::fromRgbF(colours.background.redF() * 0.8f + colours.text.redF() * 0.2f,
                                    colours.background.greenF() * 0.8f + colours.text.greenF() * 0.2f,
                                    colours.background.blueF() * 0.8f + colours.text.blueF() * 0.2f);
    colours.set = dark ? QColor(0x7f, 0xb2, 0xff) : QColor(0x1f, 0x5f, 0xbf);
    colours.measured = dark ? QColor(0xff, 0xb0, 0x5c) : QColor(0xb3, 0x59, 0x00);
    colours.drift = dark ? QColor(0x7c, 0xd6, 0x7f) : QColor(0x2e, 0x7d, 0x32);
    return colours;
}
