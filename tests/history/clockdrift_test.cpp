// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/clockdrift.h"
#include "history/drifttext.h"
#include "support/localescope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Outcome = HistoryRecord::Outcome;
const QDateTime kStart(QDate(2030, 6, 1), QTime(8, 0), Qt::UTC);

// A PC clock that gains `rate` seconds a day, updated every `hours` with the
// outcomes in turn; each measurement off by up to `error` seconds, as the
// uncertainty says. What an update sets, the clock is moved by.
QList<HistoryRecord> updates(double rate, double hours, const QList<Outcome>& outcomes, double error = 0.01,
                             int daysBefore = 0)
{
    QList<HistoryRecord> records;
    double offset = 0.3;
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        HistoryRecord record;
        record.utc = kStart.addDays(-daysBefore).addSecs(qint64(i * hours * 3600));
        record.outcome = outcomes.at(i);
        if (i > 0)
            offset += rate * hours / 24.0;
        if (outcomes.at(i) != Outcome::NoAnswer) {
            record.offsetUsec = std::llround((offset + error * std::sin(double(i) * 2.1)) * 1e6);
            record.uncertaintyUsec = std::llround(error * 1e6);
        }
        if (outcomes.at(i) == Outcome::Set)
            offset -= double(*record.offsetUsec) / 1e6;
        records << record;
    }
    return records;
}

QList<Outcome> repeated(Outcome outcome, int times)
{
    return QList<Outcome>(times, outcome);
}

} // namespace

TEST(ClockDrift, TheRateComesFromTheFreeRunningClockWithinWhatItSays)
{
    const struct
    {
        const char* name;
        QList<HistoryRecord> records;
        double rate;
    } cases[] = {
        {"gaining, set every update", updates(2.0, 3, repeated(Outcome::Set, 17)), 2.0},
        {"losing, set every update", updates(-0.4, 2, repeated(Outcome::Set, 25)), -0.4},
        // Refused settings leave the clock to run on; no answer says nothing.
        {"settings refused between", updates(1.5, 4, {Outcome::Set, Outcome::NotSet, Outcome::NotSet, Outcome::NoAnswer,
                                                     Outcome::Set, Outcome::NotSet, Outcome::Set, Outcome::Set}),
         1.5},
        // Only two settings an hour apart: that is enough.
        {"two settings an hour apart", updates(-3.0, 1, repeated(Outcome::Set, 2), 0.001), -3.0},
        // What network time kept tells nothing of the clock's own rate.
        {"network time between", updates(0.8, 2, repeated(Outcome::Set, 6) + repeated(Outcome::Checked, 4)
                                                      + repeated(Outcome::Set, 6)),
         0.8},
        // A month and more ago the clock ran otherwise: only the newest weeks count.
        {"old weeks left out", updates(9.0, 6, repeated(Outcome::Set, 12), 0.01, 45) + updates(0.5, 6, repeated(Outcome::Set, 12)),
         0.5},
    };
    for (const auto& c : cases) {
        const auto drift = ClockDrift::of(c.records);
        ASSERT_TRUE(drift) << c.name;
        EXPECT_LE(std::abs(drift->secondsPerDay - c.rate), drift->uncertainty) << c.name;
        EXPECT_LT(drift->uncertainty, 0.25 * std::abs(c.rate)) << c.name;
    }
}

TEST(ClockDrift, NoRateWithoutTwoMeasurementsAnHourApartOfAFreeClock)
{
    const struct
    {
        const char* name;
        QList<HistoryRecord> records;
    } cases[] = {
        {"empty", {}},
        {"one setting", updates(1.0, 2, {Outcome::Set})},
        {"settings 50 minutes apart", updates(1.0, 50.0 / 60.0, repeated(Outcome::Set, 2))},
        {"checks only", updates(1.0, 2, repeated(Outcome::Checked, 10))},
        {"a check between", updates(1.0, 2, {Outcome::Set, Outcome::Checked, Outcome::Set})},
        {"no answers", updates(1.0, 2, repeated(Outcome::NoAnswer, 5))},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ClockDrift::of(c.records)) << c.name;
}

TEST(ClockDrift, ARateThatChangedWidensItsUncertaintyAndTheIntervalKeepsHalfASecond)
{
    const QList<HistoryRecord> steady = updates(1.0, 4, repeated(Outcome::Set, 20));
    QList<HistoryRecord> changed = updates(1.0, 4, repeated(Outcome::Set, 10));
    for (HistoryRecord record : updates(3.0, 4, repeated(Outcome::Set, 10))) {
        record.utc = record.utc.addSecs(40 * 3600);
        changed << record;
    }
    const auto calm = ClockDrift::of(steady);
    const auto rough = ClockDrift::of(changed);
    ASSERT_TRUE(calm && rough);
    EXPECT_GT(rough->uncertainty, 10 * calm->uncertainty);
    EXPECT_GT(rough->secondsPerDay, 1.5);
    EXPECT_LT(rough->secondsPerDay, 2.5);

    const struct
    {
        ClockDrift::Drift drift;
        double hours;
        const char* said;
    } intervals[] = {
        {{-1.0, 0.0, 2}, 12.0, "The clock loses 1 s a day (12 ppm), give or take 0 s; an update every 12.0 hours keeps it within half a second."},
        {{0.9, 0.1, 2}, 12.0, "The clock gains 0.9 s a day (10 ppm), give or take 0.1 s; an update every 12.0 hours keeps it within half a second."},
        {{0.04, 0.01, 2}, 240.0, "The clock gains 0.04 s a day (0.46 ppm), give or take 0.01 s; an update every 10.0 days keeps it within half a second."},
        {{-0.996, 0.0, 2}, 12.04819277108, "The clock loses 1 s a day (12 ppm), give or take 0 s; an update every 12.0 hours keeps it within half a second."},
        {{0.001, 0.0, 2}, 12000.0, "The clock gains 0.001 s a day (0.012 ppm), give or take 0 s; an update every 30 days or more keeps it within half a second."},
        {{150.0, 5.0, 2}, 0.25, "The clock gains 150 s a day (1736 ppm), give or take 5 s; an update every 15 minutes keeps it within half a second."},
    };
    const LocaleScope english("en_US");
    for (const auto& c : intervals) {
        EXPECT_NEAR(ClockDrift::keepingHours(c.drift), c.hours, 1e-9) << c.said;
        EXPECT_EQ(DriftText::summary(c.drift), QString::fromLatin1(c.said));
    }
}
