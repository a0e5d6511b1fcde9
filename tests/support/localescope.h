// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/textformat.h"

#include <QLocale>

// Pins the locale Korvel formats and parses with, for as long as it lives;
// scopes nest.
class LocaleScope
{
public:
    explicit LocaleScope(const char* name) { TextFormat::pinLocale(QLocale(QString::fromLatin1(name))); }
    ~LocaleScope() { TextFormat::pinLocale(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    const QLocale m_previous = TextFormat::locale();
};
