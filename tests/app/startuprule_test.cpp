#include "app/optionstore.h"
#include "app/startuprule.h"
#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "optionfile.h"
#include "support/mockclock.h"

#include <gtest/gtest.h>

namespace {

class StartupRuleTest : public testing::Test
{
protected:
    // Text of a last update the given number of minutes before "now".
    static QByteArray minutesAgo(int minutes)
    {
        return GeneralDate::format(DateSerial::addMinutes(Clock::instance().nowSerial(), -minutes)).toUtf8();
    }

    StartupState start(const QByteArray& options, const QString& commandLine)
    {
        file.write("[Option]\n" + options);
        OptionStore store(file.path());
        return StartupRule::Form_Initialize(store, commandLine);
    }

    MockClock clock{QDateTime(QDate(2026, 5, 14), QTime(9, 41, 30), Qt::UTC)};
    OptionFile file;
};

} // namespace

TEST(StartupRuleMath, LeavesWhenTheNextUpdateIsAtLeastTheAwayHoursOff)
{
    EXPECT_DOUBLE_EQ(StartupRule::hoursLeft(2, 30), 1.5);
    EXPECT_TRUE(StartupRule::leavesAtOnce(2, 30, 1.0));
    EXPECT_TRUE(StartupRule::leavesAtOnce(2, 30, 1.5));
    EXPECT_FALSE(StartupRule::leavesAtOnce(2, 30, 1.51));
    EXPECT_FALSE(StartupRule::leavesAtOnce(2, 0, 4.0));
    EXPECT_FALSE(StartupRule::leavesAtOnce(2, 600, 0.0));
    EXPECT_TRUE(StartupRule::leavesAtOnce(0, 0, 0.0));
}

TEST_F(StartupRuleTest, EndsAnUnattendedStartWithoutWritingAnything)
{
    const QByteArray options = "CheckTime=2\nUnload=1\nTimeAway=1\nLastUpdate=" + minutesAgo(30) + "\n";
    const StartupState state = start(options, QStringLiteral("Load 1"));
    EXPECT_TRUE(state.m_bStartedWithLoad);
    EXPECT_EQ(state.m_lMinutesElapsed, 30);
    EXPECT_TRUE(state.leaveAtOnce);
    EXPECT_EQ(file.bytes(), "[Option]\n" + options);
}

TEST_F(StartupRuleTest, GoesOnWhenTheNextUpdateIsCloserThanTheAwayHours)
{
    const QByteArray recent = "CheckTime=2\nUnload=1\nTimeAway=4\nLastUpdate=" + minutesAgo(30) + "\n";
    EXPECT_FALSE(start(recent, QStringLiteral("Load 1")).leaveAtOnce);

    const QByteArray overdue = "CheckTime=2\nUnload=1\nTimeAway=1\nLastUpdate=" + minutesAgo(300) + "\n";
    const StartupState state = start(overdue, QStringLiteral("x Load 1"));
    EXPECT_TRUE(state.m_bStartedWithLoad);
    EXPECT_FALSE(state.leaveAtOnce);
}

TEST_F(StartupRuleTest, RoundsTheStoredHoursForTheRuleOnly)
{
    // 2.5 counts as 2 here: 20 minutes ago leaves 1.67 hours, not 2.17.
    const QByteArray base = "CheckTime=2.5\nUnload=1\nLastUpdate=" + minutesAgo(20) + "\n";
    EXPECT_FALSE(start(base + "TimeAway=1.67\n", QStringLiteral("Load 1")).leaveAtOnce);
    EXPECT_TRUE(start(base + "TimeAway=1.66\n", QStringLiteral("Load 1")).leaveAtOnce);
}

TEST_F(StartupRuleTest, AppliesOnlyToLoadWithUnloadExactlyOne)
{
    const QByteArray leaving = "CheckTime=2\nTimeAway=1\nLastUpdate=" + minutesAgo(30) + "\n";
    EXPECT_FALSE(start(leaving + "Unload=1\n", QStringLiteral("load 1")).leaveAtOnce);
    EXPECT_FALSE(start(leaving + "Unload=1\n", QStringLiteral("Load")).m_bStartedWithLoad);
    EXPECT_FALSE(start(leaving + "Unload=2\n", QStringLiteral("Load 1")).leaveAtOnce);
    EXPECT_FALSE(start(leaving + "Unload=junk\n", QStringLiteral("Load 1")).leaveAtOnce);
    EXPECT_TRUE(start(leaving + "Unload=1\nCheckEvery=0\n", QStringLiteral("Load 1")).leaveAtOnce);
}

TEST_F(StartupRuleTest, UnreadableHoursFallBackToTwo)
{
    const QByteArray base = "Unload=1\nTimeAway=1.5\nLastUpdate=" + minutesAgo(30) + "\n";
    EXPECT_TRUE(start(base + "CheckTime=abc\n", QStringLiteral("Load 1")).leaveAtOnce);
    EXPECT_TRUE(start(base + "CheckTime=40000\n", QStringLiteral("Load 1")).leaveAtOnce);
    EXPECT_FALSE(start(base + "CheckTime=1\n", QStringLiteral("Load 1")).leaveAtOnce);
}

TEST_F(StartupRuleTest, FreshStoreCountsFromDayZeroAndWritesNothing)
{
    OptionStore store(file.path());
    const StartupState state = StartupRule::Form_Initialize(store, QString());
    EXPECT_EQ(state.m_sLastUpdate, QStringLiteral("0:00:00"));
    EXPECT_GT(state.m_lMinutesElapsed, 60 * 24 * 365 * 126);
    EXPECT_FALSE(state.m_bStartedWithLoad);
    EXPECT_FALSE(file.exists());
}

TEST_F(StartupRuleTest, ALastUpdateThatIsNoDateRestartsTheInterval)
{
    const StartupState state = start("LastUpdate=someday\n", QString());
    EXPECT_EQ(state.m_sLastUpdate, QStringLiteral("someday"));
    EXPECT_EQ(state.m_lMinutesElapsed, 0);
    OptionStore reread(file.path());
    EXPECT_EQ(reread.read(Option::LastUpdate), GeneralDate::format(Clock::instance().nowSerial()));
}
