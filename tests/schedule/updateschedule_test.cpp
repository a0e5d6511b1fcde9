// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/textformat.h"
#include "schedule/updateschedule.h"

#include "support/localescope.h"

#include <gtest/gtest.h>

#include <limits>

using UpdateSchedule::Variant;

namespace {
const QString kDesign = QStringLiteral("Unload at startup if next scheduled update time is more than"
                                       "           hours away");
} // namespace

TEST(UpdateSchedule, CountdownPicksItsUnitAtTheHourAndMinuteEdges)
{
    const LocaleScope locale("en_US");
    struct Case
    {
        const char* hours;
        qint32 elapsed;
        int interval;
        const char* shown;
    };
    const Case cases[] = {
        {"2", 30, 60000, "1.5 hours"},    {"2", 59, 60000, "1.0 hours"},     {"2", 60, 60000, "60.0 minutes"},
        {"2", 119, 60000, "1.0 minutes"}, {"2", 120, 60000, "60 seconds"},   {"2", 120, 0, "0 seconds"},
        {"2.5 hrs", 0, 60000, "2.5 hours"},
        {"2", -90, 60000, "3.5 hours"},   {"0.5", 29, 60000, "1.0 minutes"},
    };
    for (const Case& c : cases) {
        const auto tick = UpdateSchedule::countdown(Variant::Tick, kDesign + QStringLiteral(" - old"),
                                                    QLatin1String(c.hours), c.elapsed, c.interval);
        EXPECT_EQ(tick.caption, kDesign + QStringLiteral(" - Next update is in ") + QLatin1String(c.shown))
            << c.hours << " " << c.elapsed;
        EXPECT_EQ(tick.toolTip, QStringLiteral("Korvel - Next update is in ") + QLatin1String(c.shown));
    }
}

TEST(UpdateSchedule, VariantsDifferInCaptionStartFullStopAndToolTip)
{
    const LocaleScope locale("de_DE");
    const auto atLoad = UpdateSchedule::countdown(Variant::AtLoad, kDesign, "1.5", 0, 0);
    EXPECT_EQ(atLoad.caption, kDesign + QStringLiteral(" - Next update is in 1,5 hours"));
    EXPECT_TRUE(atLoad.toolTip.isEmpty());

    const auto leave = UpdateSchedule::countdown(Variant::LeaveHours, atLoad.caption, "1,5", 90, 60000);
    EXPECT_EQ(leave.caption, kDesign + QStringLiteral(" - Next update is in 60 seconds."));
    EXPECT_EQ(leave.toolTip, QStringLiteral("Korvel - Next update is in 60 seconds"));

    // A caption that lost its dash keeps its text and gains the countdown.
    const auto noDash = UpdateSchedule::countdown(Variant::Tick, QStringLiteral("Unload"), "2", 0, 0);
    EXPECT_EQ(noDash.caption, QStringLiteral("Unload - Next update is in 2,0 hours"));
}

TEST(UpdateSchedule, DueAndLeaveRulesMeetAtTheirEdges)
{
    EXPECT_FALSE(UpdateSchedule::isDue("2", 119));
    EXPECT_TRUE(UpdateSchedule::isDue("2", 120));


    // Away 4 against at most 2 hours left: never leaves; away 1 after a fresh update: leaves.
    EXPECT_FALSE(UpdateSchedule::leaves("4", "2", 0));
    EXPECT_TRUE(UpdateSchedule::leaves("1", "2", 0));
    EXPECT_TRUE(UpdateSchedule::leaves("1.5", "2", 30));
    EXPECT_FALSE(UpdateSchedule::leaves("1.5", "2", 31));

    // A failed update waits at least the quarter hour, and any number of hours typed.
    EXPECT_EQ(UpdateSchedule::retryPauseMinutes(true, 0, "0"), 15);
    EXPECT_EQ(UpdateSchedule::retryPauseMinutes(false, 40, "99999999999"), 1 << 20);
    EXPECT_EQ(UpdateSchedule::retryPauseMinutes(true, 0, "99999999999"), std::numeric_limits<qint32>::max());
}

TEST(UpdateSchedule, AGrayedBoxEnablesButNothingActsOnIt)
{
    using UpdateSchedule::TickAction;
    struct Case
    {
        Qt::CheckState box;
        TickAction due;  // a tick with the update due
        TickAction far;  // a tick of an unattended start whose next update is far
        bool leavesAfterUpdate;
    };
    const Case cases[] = {{Qt::Unchecked, TickAction::Wait, TickAction::Wait, true},
                          {Qt::Checked, TickAction::Update, TickAction::Leave, false},
                          {Qt::PartiallyChecked, TickAction::Wait, TickAction::Wait, false}};
    for (const Case& c : cases) {
        // Both boxes, automatic updates and "Unload", in the same state.
        UpdateSchedule::TickState state{true, c.box, QStringLiteral("1"), QStringLiteral("2"), 120, c.box, false};
        EXPECT_EQ(UpdateSchedule::tickAction(state), c.due) << c.box;
        EXPECT_EQ(UpdateSchedule::ticksOn(state), c.box == Qt::Checked) << c.box;
        state.minutesElapsed = 0;
        EXPECT_EQ(UpdateSchedule::tickAction(state), c.far) << c.box;
        EXPECT_EQ(UpdateSchedule::leavesAfterUpdate(state, true), c.leavesAfterUpdate) << c.box;
        EXPECT_FALSE(UpdateSchedule::leavesAfterUpdate(state, false)) << "in sight, the user decides";
    }
}
