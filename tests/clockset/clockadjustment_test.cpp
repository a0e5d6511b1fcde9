#include "clockset/clockadjustment.h"
#include "clockset/clocksetterselector.h"

#include <QFile>
#include <QTimeZone>

#include <gtest/gtest.h>

TEST(ClockAdjustment, AimsAtTheMiddleOfTheReceivedSecondPlusTheLag)
{
    const qint64 receipt = 1'800'000'000'000; // ms since the epoch
    const std::tuple<qint64, double, qint64> rows[] = {
        {receipt, 0.0, 500'000},            // clock already right: half a second ahead
        {receipt - 3'000, 0.0, -2'500'000}, // clock 3 s fast
        {receipt + 2'000, 0.25, 2'750'000}, // clock 2 s slow, a quarter second on the way
        {receipt, 0.0000015, 500'002},      // lag rounds to the nearest microsecond
    };
    for (const auto& [received, lag, usec] : rows)
        EXPECT_EQ(ClockAdjustment::adjustmentUsec(received, lag, receipt), usec) << received - receipt << " " << lag;
}

TEST(ClockAdjustment, AnswersBeforeTheBuildDayAreImplausible)
{
    const QDate built(2026, 3, 1);
    const std::pair<QDateTime, bool> rows[] = {
        {QDateTime(built, QTime(0, 0), QTimeZone::utc()), true},
        {QDateTime(QDate(2035, 1, 1), QTime(12, 0), QTimeZone::utc()), true},
        {QDateTime(built.addDays(-1), QTime(23, 59, 59), QTimeZone::utc()), false},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0, 5), QTimeZone::utc()), false}, // 5, or 2036 wrapped past 2^32
        {QDateTime(), false},
    };
    for (const auto& [received, plausible] : rows)
        EXPECT_EQ(ClockAdjustment::isPlausible(received, built), plausible) << qPrintable(received.toString());
    const QDate day = ClockAdjustment::buildDay();
    ASSERT_TRUE(day.isValid());
    EXPECT_LE(day, QDateTime::currentDateTimeUtc().date());
}

// The capability decides the backend, and must agree with the kernel's account in /proc.
TEST(ClockSetterSelector, TheCapabilityInProcStatusDecidesTheBackend)
{
    EXPECT_EQ(ClockSetterSelector::create(ClockSetterSelector::choose(true))->name(), "clock_settime");
    EXPECT_EQ(ClockSetterSelector::create(ClockSetterSelector::choose(false))->name(), "systemd-timedated");
    QFile status("/proc/self/status");
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(status.readAll());
    bool parsed = false;
    const quint64 effective = text.section("CapEff:", 1).section('\n', 0, 0).trimmed().toULongLong(&parsed, 16);
    ASSERT_TRUE(parsed);
    const int sysTimeBit = 25;
    EXPECT_EQ(ClockSetterSelector::holdsSysTimeCapability(), bool(effective >> sysTimeBit & 1));
}
