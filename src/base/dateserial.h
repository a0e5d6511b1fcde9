// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

// Dates as day counts with a fractional day: day 0 is 30 December 1899,
// 1 January 1900 is day 2. A serial carries wall-clock fields only; which
// zone they mean is up to the caller.
namespace DateSerial {

constexpr double kSecondsPerDay = 86400.0;

// Reads the date and time fields as they stand in the value's own zone.
double fromDateTime(const QDateTime& dateTime);
// Builds a value with the serial's fields with the given kind of time (UTC by default).
QDateTime toDateTime(double serial, Qt::TimeSpec kind = Qt::UTC);

// Calendar minute arithmetic, to the millisecond.
double addMinutes(double serial, qint64 minutes);

// Milliseconds since day 0, rounded to the nearest millisecond.
qint64 toMsecs(double serial);
double fromMsecs(qint64 msecs);

} // namespace DateSerial
