// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// Turns design units (twips, 1/1440 inch) into device-independent pixels for
// a given logical DPI: 15 twips per pixel at 96 dpi.
class TwipsConverter
{
public:
    explicit TwipsConverter(qreal logicalDpi);

    int toPixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    qreal m_logicalDpi;
};
