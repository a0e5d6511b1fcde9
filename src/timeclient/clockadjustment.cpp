// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/clockadjustment.h"

#include "timeclient/timeprotocol.h"

#include <QTimeZone>

#include <algorithm>

namespace ClockAdjustment {

namespace {
// One turn of the 32-bit count.
constexpr qint64 EraSeconds = qint64(1) << 32;

struct Window
{
    qint64 start = 0;
    qint64 end = 0;
};

Window plausibleWindow(QDate buildDay)
{
    return {buildDay.startOfDay(QTimeZone::utc()).toSecsSinceEpoch(),
            buildDay.addYears(kPlausibleYears).startOfDay(QTimeZone::utc()).toSecsSinceEpoch()};
}
} // namespace

std::optional<qint64> receivedUnixSeconds(quint32 count, QDate buildDay)
{
    if (!buildDay.isValid())
        return std::nullopt;
    const Window window = plausibleWindow(buildDay);
    for (qint64 seconds = qint64(count) - TimeProtocol::kEpochDifference; seconds < window.end;
         seconds += EraSeconds) {
        if (seconds >= window.start)
            return seconds;
    }
    return std::nullopt;
}

qint64 nearestReading(quint32 count, QDate buildDay)
{
    const qint64 first = qint64(count) - TimeProtocol::kEpochDifference;
    if (!buildDay.isValid())
        return first;
    const Window window = plausibleWindow(buildDay);
    const auto distance = [&window](qint64 seconds) {
        return seconds < window.start ? window.start - seconds : std::max<qint64>(seconds - window.end, 0);
    };
    qint64 nearest = first;
    for (qint64 seconds = first + EraSeconds; seconds < window.end + EraSeconds; seconds += EraSeconds) {
        if (distance(seconds) < distance(nearest))
            nearest = seconds;
    }
    return nearest;
}

QDate buildDay()
{
    return QDate::fromString(QStringLiteral(KORVEL_BUILD_DAY), Qt::ISODate);
}

} // namespace ClockAdjustment
