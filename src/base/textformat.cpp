// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/textformat.h"

#include "base/language.h"

#include <optional>

namespace {
std::optional<QLocale> pinnedLocale;

// Drops format letters outside quoted literals that match `letter`.
QString withoutLetter(const QString& format, QChar letter)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == letter)
            continue;
        result += c;
    }
    return result;
}

// Widens every run of exactly two 'y' (a two-digit year) to four. A loop
// rather than a regular expression: compiling one costs an unattended start
// that leaves at once a noticeable share of its time.
QString withFourDigitYear(const QString& format)
{
    QString result;
    for (qsizetype i = 0; i < format.size();) {
        qsizetype end = i;
        while (end < format.size() && format.at(end) == u'y')
            ++end;
        if (end == i) {
            result += format.at(i++);
            continue;
        }
        result += end - i == 2 ? QStringLiteral("yyyy") : format.mid(i, end - i);
        i = end;
    }
    return result;
}
} // namespace

QLocale TextFormat::locale()
{
    return pinnedLocale.value_or(Language::locale());
}

void TextFormat::pinLocale(const QLocale& locale)
{
    pinnedLocale = locale;
}

void TextFormat::unpinLocale()
{
    pinnedLocale.reset();
}

QString TextFormat::shortDateFormat()
{
    return withFourDigitYear(locale().dateFormat(QLocale::ShortFormat));
}

QString TextFormat::longTimeFormat()
{
    QString format = withoutLetter(locale().timeFormat(QLocale::LongFormat), u't');
    format.remove(QStringLiteral("()"));
    return format.simplified();
}
