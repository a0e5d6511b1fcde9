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
    // Options with "Unload" on and a last update the given minutes ago.
    static QByteArray unloadOptions(int minutesAgo, const QByteArray& more)
    {
        const double then = DateSerial::addMinutes(Clock::instance().nowSerial(), -minutesAgo);
        return "[Option]\nUnload=1\nLastUpdate=" + GeneralDate::format(then).toUtf8() + "\n" + more;
    }

    StartupState start(const QByteArray& options, const char* commandLine = "Load 1")
    {
        file.write(options);
        OptionStore store(file.path());
        return StartupRule::Form_Initialize(store, QLatin1String(commandLine));
    }

    MockClock clock{QDateTime(QDate(2026, 5, 14), QTime(9, 41, 30), Qt::UTC)};
    OptionFile file;
};

} // namespace

TEST_F(StartupRuleTest, LeavesOnlyWhenStartedWithLoadAndTheNextUpdateIsFarEnoughOff)
{
    const struct { int minutesAgo; const char* options; bool leaves; } cases[] = {
        // Unreadable hours count as the default 2; 1.5 hours left is exactly enough.
        {30, "CheckTime=40000\nTimeAway=1.5\n", true},
        {30, "CheckTime=40000\nTimeAway=1.51\n", false},
        // 2.5 hours count as 2 here: 20 minutes ago leaves 1.67 hours, not 2.17.
        {20, "CheckTime=2.5\nTimeAway=1.66\n", true},
        {20, "CheckTime=2.5\nTimeAway=1.67\n", false},
        {30, "TimeAway=4\n", false},
        {300, "TimeAway=1\n", false}, // overdue
        {30, "CheckTime=2\nTimeAway=1\nCheckEvery=0\n", true},
        {30, "TimeAway=1\nUnload=junk\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(start(unloadOptions(c.minutesAgo, c.options)).leaveAtOnce, c.leaves) << c.options;
    // Only the word "Load" followed by a single space and "1" is an unattended start.
    for (const char* commandLine : {"load 1", "Load", "/Load 1", "Load  1", ""}) {
        const StartupState normal = start(unloadOptions(30, "TimeAway=1\n"), commandLine);
        EXPECT_FALSE(normal.m_bStartedWithLoad || normal.leaveAtOnce) << commandLine;
    }
}
