#include "clockset/clockadjustment.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

TEST(ClockAdjustmentTest, AimsAtTheMiddleOfTheReceivedSecondPlusTheLag)
{
    const qint64 receipt = 1'800'000'000'000; // ms since the epoch
    const struct {
        qint64 received;
        double lagSeconds;
        qint64 expectedUsec;
    } rows[] = {
        {receipt, 0.0, 500'000},                   // clock already right: half a second ahead
        {receipt - 3'000, 0.0, -2'500'000},        // clock 3 s fast
        {receipt + 2'000, 0.25, 2'750'000},        // clock 2 s slow, a quarter second on the way
        {receipt, 0.0000015, 500'002},             // lag rounds to the nearest microsecond
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClockAdjustment::adjustmentUsec(row.received, row.lagSeconds, receipt), row.expectedUsec)
            << row.received - receipt << " ms, lag " << row.lagSeconds;
}

TEST(ClockAdjustmentTest, AnswersBeforeTheBuildDayAreImplausible)
{
    const QDate built(2026, 3, 1);
    const QTimeZone utc = QTimeZone::utc();
    const struct {
        QDateTime received;
        bool plausible;
    } rows[] = {
        {QDateTime(built, QTime(0, 0), utc), true},
        {QDateTime(QDate(2035, 1, 1), QTime(12, 0), utc), true},
        {QDateTime(built.addDays(-1), QTime(23, 59, 59), utc), false},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0, 5), utc), false}, // a count of 5, or 2036 wrapped past 2^32
        {QDateTime(), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ClockAdjustment::isPlausible(row.received, built), row.plausible)
            << qPrintable(row.received.toString(Qt::ISODate));
}

TEST(ClockAdjustmentTest, TheBuildDayIsARealDayNotInTheFuture)
{
    const QDate day = ClockAdjustment::buildDay();
    ASSERT_TRUE(day.isValid());
    EXPECT_LE(day, QDateTime::currentDateTimeUtc().date());
}

} // namespace
