// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/dateserial.h"

#include <cmath>

namespace DateSerial {

namespace {
constexpr qint64 kMsecsPerDay = 86'400'000;
constexpr qint64 kMsecsPerMinute = 60'000;

QDateTime dayZero(Qt::TimeSpec kind)
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), kind);
}

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
} // namespace

qint64 toMsecs(double serial)
{
    return std::llround(serial * double(kMsecsPerDay));
}

double fromMsecs(qint64 msecs)
{
    return double(msecs) / double(kMsecsPerDay);
}

double fromDateTime(const QDateTime& dateTime)
{
    // Re-read the wall fields as UTC so no zone shift or DST gap interferes.
    const QDateTime fields(dateTime.date(), dateTime.time(), Qt::UTC);
    return fromMsecs(dayZero(Qt::UTC).msecsTo(fields));
}

QDateTime toDateTime(double serial, Qt::TimeSpec kind)
{
    const qint64 msecs = toMsecs(serial);
    const qint64 days = floorDiv(msecs, kMsecsPerDay);
    const QDate date = QDate(1899, 12, 30).addDays(days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(msecs - days * kMsecsPerDay));
    return QDateTime(date, time, kind);
}

double addMinutes(double serial, qint64 minutes)
{
    return fromMsecs(toMsecs(serial) + minutes * kMsecsPerMinute);
}

} // namespace DateSerial
