#include "base/dateserial.h"

#include <gtest/gtest.h>

namespace {
double serialOf(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return DateSerial::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC));
}
} // namespace

TEST(DateSerial, CountsDaysFromThirtiethDecember1899WhateverTheZone)
{
    EXPECT_DOUBLE_EQ(serialOf(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(serialOf(2014, 1, 29, 16), 41668.0 + 16.0 / 24.0);
    EXPECT_EQ(DateSerial::toDateTime(2.75), QDateTime(QDate(1900, 1, 1), QTime(18, 0), Qt::UTC));
    const QDateTime local(QDate(2026, 7, 1), QTime(12, 30), Qt::LocalTime);
    EXPECT_DOUBLE_EQ(DateSerial::fromDateTime(local), serialOf(2026, 7, 1, 12, 30));
    EXPECT_DOUBLE_EQ(DateSerial::addMinutes(serialOf(2026, 12, 31, 23, 30), 45), serialOf(2027, 1, 1, 0, 15));
}

TEST(DateSerial, MinuteDiffCountsBoundariesNotDurations)
{
    // 10:00:59 to 10:01:00 is one second but crosses one minute boundary.
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 0, 59), serialOf(2026, 1, 1, 10, 1, 0)), 1);
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 0, 0), serialOf(2026, 1, 1, 10, 0, 59)), 0);
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 30), serialOf(2026, 1, 1, 10, 0)), -30);
}
