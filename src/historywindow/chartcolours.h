// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>

// The History chart's colours under a palette: its ground and text are the
// palette's, and the marks are chosen for a light or a dark ground, where
// each stands out from it by at least 3 : 1.
struct ChartColours
{
    QColor background;
    QColor text;
    QColor grid;
    QColor set;
    QColor measured;
    QColor drift;

    static ChartColours forPalette(const QPalette& palette);
};
