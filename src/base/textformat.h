// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>

// Every locale-dependent text of Korvel asks this one place for its locale,
// so tests can pin one and the language's locale applies everywhere else.
class TextFormat
{
public:
    static QLocale locale();
    static void pinLocale(const QLocale& locale);
    static void unpinLocale();

    // The user's short date with a four-digit year.
    static QString shortDateFormat();
    // The user's long time with seconds and without a zone name.
    static QString longTimeFormat();
};
