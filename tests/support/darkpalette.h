// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPalette>

// A dark desktop theme's colours: light text on dark grounds.
inline QPalette darkPalette()
{
    QPalette dark;
    const QColor window(45, 45, 45), base(30, 30, 30), text(238, 238, 236);
    for (const auto& [role, colour] : {std::pair{QPalette::Window, window}, {QPalette::Base, base},
                                       {QPalette::Button, window}, {QPalette::WindowText, text},
                                       {QPalette::Text, text}, {QPalette::ButtonText, text}})
        dark.setColor(role, colour);
    return dark;
}
