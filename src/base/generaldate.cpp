// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/generaldate.h"

#include "base/dateserial.h"
#include "base/textformat.h"

#include <QStringList>

#include <cmath>

namespace GeneralDate {

namespace {
constexpr double kDayZero = 0.0;

// "dddd-dd-dd" in any script's decimal digits. Checked by hand: compiling a
// regular expression costs an unattended start a noticeable share of its time.
bool isIsoDate(const QString& text)
{
    if (text.size() != 10)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? text.at(i) != u'-' : !text.at(i).isDigit())
            return false;
    }
    return true;
}

std::optional<double> parseIso(const QString& text)
{
    // A text without a zone holds wall fields, read as they are: as local
    // time, the hour skipped when clocks go forward would not exist. Only such
    // a text still reads with a "Z" added.
    const QDateTime fields = QDateTime::fromString(text + u'Z', Qt::ISODateWithMs);
    if (fields.isValid())
        return DateSerial::fromDateTime(fields);
    QDateTime dateTime = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (dateTime.isValid()) {
        // An ISO text with a zone names an instant; the serial is local time.
        if (dateTime.timeSpec() != Qt::LocalTime)
            dateTime = dateTime.toLocalTime();
        return DateSerial::fromDateTime(dateTime);
    }
    // Qt's ISO date reader skips over separators it does not know; insist on
    // the real form so "2026/12/05 ..." is left to the locale's formats.
    const QDate date = isIsoDate(text) ? QDate::fromString(text, Qt::ISODate) : QDate();
    if (date.isValid())
        return DateSerial::fromDateTime(QDateTime(date, QTime(0, 0), Qt::UTC));
    return std::nullopt;
}

QStringList dateFormats(const QLocale& locale)
{
    QStringList formats{TextFormat::shortDateFormat(), locale.dateFormat(QLocale::ShortFormat)};
    formats.removeDuplicates();
    return formats;
}

// Date and time are read apart: read together they would be taken as local
// time, in which the hour skipped when clocks go forward does not exist,
// while a serial's fields belong to no zone.
std::optional<double> parseDateAndTime(const QLocale& locale, const QString& text, const QString& dateFormat,
                                       const QString& timeFormat)
{
    for (qsizetype space = text.indexOf(u' '); space >= 0; space = text.indexOf(u' ', space + 1)) {
        const QDate date = locale.toDate(text.left(space), dateFormat);
        if (!date.isValid())
            continue;
        const QTime time = locale.toTime(text.mid(space + 1), timeFormat);
        if (time.isValid())
            return DateSerial::fromDateTime(QDateTime(date, time, Qt::UTC));
    }
    return std::nullopt;
}

QStringList timeFormats()
{
    QStringList formats{TextFormat::longTimeFormat(), QStringLiteral("H:mm:ss"),
                        QStringLiteral("H:mm")};
    formats.removeDuplicates();
    return formats;
}
} // namespace

QString format(double serial)
{
    // Shown to the second, so round before deciding what to show.
    const double seconds = std::round(serial * DateSerial::kSecondsPerDay);
    const QDateTime dateTime = DateSerial::toDateTime(seconds / DateSerial::kSecondsPerDay);
    const QLocale locale = TextFormat::locale();
    const QString time = locale.toString(dateTime.time(), TextFormat::longTimeFormat());
    if (dateTime.date() == QDate(1899, 12, 30))
        return time;
    const QString date = locale.toString(dateTime.date(), TextFormat::shortDateFormat());
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + u' ' + time;
}

std::optional<double> parse(const QString& text)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const auto iso = parseIso(trimmed))
        return iso;

    const QLocale locale = TextFormat::locale();
    const QStringList dates = dateFormats(locale);
    const QStringList times = timeFormats();
    for (const QString& date : dates) {
        for (const QString& time : times) {
            if (const auto serial = parseDateAndTime(locale, trimmed, date, time))
                return serial;
        }
        const QDate dateOnly = locale.toDate(trimmed, date);
        if (dateOnly.isValid())
            return DateSerial::fromDateTime(QDateTime(dateOnly, QTime(0, 0), Qt::UTC));
    }
    for (const QString& time : times) {
        const QTime timeOnly = locale.toTime(trimmed, time);
        if (timeOnly.isValid())
            return kDayZero + timeOnly.msecsSinceStartOfDay() / (DateSerial::kSecondsPerDay * 1000.0);
    }
    return std::nullopt;
}

} // namespace GeneralDate
