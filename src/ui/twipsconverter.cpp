// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/twipsconverter.h"

#include <QtMath>

namespace {
constexpr qreal kTwipsPerInch = 1440.0;
}

TwipsConverter::TwipsConverter(qreal logicalDpi)
    : m_logicalDpi(logicalDpi > 0 ? logicalDpi : 96.0)
{
}

int TwipsConverter::toPixels(int twips) const
{
    return qRound(twips * m_logicalDpi / kTwipsPerInch);
}

QRect TwipsConverter::rect(int left, int top, int width, int height) const
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
