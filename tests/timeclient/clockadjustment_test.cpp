// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/clockadjustment.h"

#include <QTimeZone>

#include <gtest/gtest.h>

TEST(ClockAdjustment, CountsAreReadInTheEraThatPlacesThemInTheFiftyYearsFromTheBuildDay)
{
    const auto utc = [](int year, int month, int day, int secs = 0) {
        return QDateTime(QDate(year, month, day), QTime(0, 0), QTimeZone::utc()).addSecs(secs).toSecsSinceEpoch();
    };
    // The count a server sends at a moment: seconds since 1900, modulo 2^32.
    const auto count = [](qint64 unixSeconds) { return quint32(unixSeconds + 2'208'988'800); };
    const QDate built(2026, 3, 1);
    const QDate builtAfterRollOver(2036, 6, 1);
    const std::tuple<QDate, quint32, std::optional<qint64>> rows[] = {
        {built, count(utc(2026, 3, 1)), utc(2026, 3, 1)},
        {built, count(utc(2026, 3, 1, -1)), std::nullopt},
        {built, 0xffffffff, utc(2036, 2, 7, 6 * 3600 + 28 * 60 + 15)},
        {built, 1, utc(2036, 2, 7, 6 * 3600 + 28 * 60 + 17)}, // the second after the roll-over
        {built, count(utc(2076, 3, 1, -1)), utc(2076, 3, 1, -1)},
        {built, count(utc(2076, 3, 1)), std::nullopt},
        {built, 0, utc(2036, 2, 7, 6 * 3600 + 28 * 60 + 16)}, // the roll-over itself
        {builtAfterRollOver, count(utc(2037, 1, 1)), utc(2037, 1, 1)},
        {builtAfterRollOver, 0xffffffff, std::nullopt},
        {builtAfterRollOver, 0, std::nullopt}, // before the build day
        {QDate(), 5, std::nullopt},
    };
    for (const auto& [buildDay, received, seconds] : rows)
        EXPECT_EQ(ClockAdjustment::receivedUnixSeconds(received, buildDay), seconds)
            << qPrintable(buildDay.toString()) << " " << received;
    // A refused count is said in the era nearest the window: just past it, not 136 years before.
    EXPECT_EQ(ClockAdjustment::nearestReading(count(utc(2080, 1, 1)), built), utc(2080, 1, 1));
    EXPECT_EQ(ClockAdjustment::nearestReading(count(utc(1990, 1, 1)), built), utc(1990, 1, 1));
    EXPECT_EQ(ClockAdjustment::nearestReading(0xffffffff, builtAfterRollOver), utc(2036, 2, 7, 6 * 3600 + 28 * 60 + 15));
    const QDate day = ClockAdjustment::buildDay();
    ASSERT_TRUE(day.isValid());
    EXPECT_LE(day, QDateTime::currentDateTimeUtc().date());
}
