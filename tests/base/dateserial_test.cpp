#include "base/dateserial.h"

#include <gtest/gtest.h>

namespace {
double serialOf(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return DateSerial::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC));
}
} // namespace

TEST(DateSerial, MinuteDiffCountsBoundariesNotDurations)
{
    // 10:00:59 to 10:01:00 is one second but crosses one minute boundary.
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 0, 59), serialOf(2026, 1, 1, 10, 1, 0)), 1);
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 0, 0), serialOf(2026, 1, 1, 10, 0, 59)), 0);
    EXPECT_EQ(DateSerial::minuteDiff(serialOf(2026, 1, 1, 10, 30), serialOf(2026, 1, 1, 10, 0)), -30);
}
