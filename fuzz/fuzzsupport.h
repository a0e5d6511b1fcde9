// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/textformat.h"

#include <QLocale>

#include <cstdlib>
#include <ctime>

// What the fuzz programs share.
namespace FuzzSupport {

// A broken rule is a finding like a crash: stop where libFuzzer sees it.
inline void check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// A zone with daylight saving, the one the tests use, so that gaps and
// repeated hours are reachable whatever the machine's zone.
inline void pinZone()
{
    setenv("TZ", "America/New_York", 1);
    tzset();
}

// One of three locales whose date and time texts differ the most.
inline void pinLocaleOf(unsigned char selector)
{
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Japanese, QLocale::Japan)};
    TextFormat::pinLocale(locales[selector % 3]);
}

} // namespace FuzzSupport
