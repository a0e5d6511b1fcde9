// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "schedule/lastupdatetext.h"

#include "base/dateserial.h"
#include "base/generaldate.h"

#include <QTimeZone>

QString LastUpdateText::stored(const QDateTime& instant)
{
    // Whole seconds, cut rather than rounded: a last update rounded up into
    // the next minute would lie in the future, which counts as due.
    const qint64 msecs = instant.toMSecsSinceEpoch();
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
        + u'Z';
}

std::optional<QDateTime> LastUpdateText::instant(const QString& storedText)
{
    const QDateTime iso = QDateTime::fromString(storedText.simplified(), Qt::ISODateWithMs);
    if (iso.isValid() && iso.timeSpec() != Qt::LocalTime)
        return iso.toUTC();
    // A text without a zone is the local time it reads, in the zone's rules for that day.
    const auto serial = GeneralDate::parse(storedText);
    if (!serial)
        return std::nullopt;
    return DateSerial::toDateTime(*serial, Qt::LocalTime).toUTC();
}

QString LastUpdateText::shown(const QString& storedText)
{
    const auto serial = GeneralDate::parse(storedText);
    return serial ? GeneralDate::format(*serial) : storedText;
}

LocalizedText LastUpdateText::statusLine(const QString& storedText)
{
    return LocalizedText::translate("Schedule", "Last update was on - %1").arg(shown(storedText));
}
