// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringList>

// The language of Korvel's texts: its own translation and Qt's (the
// buttons of its boxes), chosen from the user's UI languages, and the
// locale its numbers and dates are written in, which follows the language
// the sentences around them are in.
class Language
{
public:
    // Installs the translation of the first of `uiLanguages` ("de-AT",
    // "de", ...) that one of `folders` holds as korvel_<name>.qm. English
    // ends the search, as does the end of the list: the texts stay in the
    // English they are written in. Returns the file installed, or nothing.
    static QString load(const QStringList& uiLanguages, const QStringList& folders);
    // Installs `file` as Korvel's translation for `language`, with Qt's own
    // translation for that language when it has one.
    static bool install(const QString& file, const QLocale& language);
    // Back to English.
    static void unload();

    // Where the translations lie: beside the program in a build, and in the
    // data folder once installed.
    static QStringList folders();

    // The locale of numbers and dates: the user's own when it speaks the
    // translation's language (or English without one), else the
    // translation's language in the user's territory.
    static QLocale locale();
};
