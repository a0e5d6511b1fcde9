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

TEST_F(StartupRuleTest, OnlyTheWordLoadFollowedByAWordIsAnUnattendedStart)
{
    EXPECT_TRUE(start(unloadOptions(30, "TimeAway=1\n"), "x Load 1").leaveAtOnce);
    for (const char* commandLine : {"load 1", "Load", "/Load 1", "Load  1", ""}) {
        const StartupState normal = start(unloadOptions(30, "TimeAway=1\n"), commandLine);
        EXPECT_FALSE(normal.m_bStartedWithLoad || normal.leaveAtOnce) << commandLine;
    }
}
