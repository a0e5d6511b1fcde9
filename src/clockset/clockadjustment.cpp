// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/clockadjustment.h"

#include <QTimeZone>

namespace ClockAdjustment {

namespace {
// Seconds from the protocol's epoch (1900) to the Unix epoch (1970).
constexpr qint64 EpochDifference = 2'208'988'800;
// One turn of the 32-bit count.
constexpr qint64 EraSeconds = qint64(1) << 32;
} // namespace

std::optional<qint64> receivedUnixSeconds(quint32 count, QDate buildDay)
{
    if (count == 0 || !buildDay.isValid())
        return std::nullopt;
    const qint64 windowStart = buildDay.startOfDay(QTimeZone::utc()).toSecsSinceEpoch();
    const qint64 windowEnd = buildDay.addYears(kPlausibleYears).startOfDay(QTimeZone::utc()).toSecsSinceEpoch();
    for (qint64 seconds = qint64(count) - EpochDifference; seconds < windowEnd; seconds += EraSeconds) {
        if (seconds >= windowStart)
            return seconds;
    }
    return std::nullopt;
}

QDate buildDay()
{
    return QDate::fromString(QStringLiteral(KORVEL_BUILD_DAY), Qt::ISODate);
}

} // namespace ClockAdjustment
