// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedclocksetter.h"

#include "clockset/clocksetterselector.h"
#include "support/privatesystembus.h"
#include "support/timedatedmock.h"

#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Kind = ClockSetOutcome::Kind;
using SetTimeCall = TimedatedMock::SetTimeCall;

class TimedatedClockSetterTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mock.errorText().isEmpty()) << qPrintable(mock.errorText()); }

    TimedatedClockSetter setter() const { return TimedatedClockSetter(bus.connect("korvel-under-test")); }

    PrivateSystemBus bus;
    TimedatedMock mock{bus};
};

TEST_F(TimedatedClockSetterTest, AsksForARelativeInteractiveSetTimeOfExactlyTheAdjustmentOnceNetworkTimeIsOff)
{
    const ClockSetOutcome refused = setter().adjust(-1234567);
    EXPECT_EQ(refused.kind, Kind::AutomaticTimeSyncOn) << "network time is on, as on a desktop as it comes";
    EXPECT_TRUE(refused.reason.contains("network time keeps the clock")) << qPrintable(refused.reason);
    mock.setNtp(false);
    const ClockSetOutcome outcome = setter().adjust(-1234567);
    EXPECT_TRUE(outcome.ok()) << qPrintable(outcome.reason);
    EXPECT_TRUE(outcome.reason.isEmpty());
    EXPECT_EQ(mock.setTimeCalls(), (QList<SetTimeCall>{{-1234567, true, true}, {-1234567, true, true}}));
}

TEST_F(TimedatedClockSetterTest, ErrorsFromTheServiceMapToTheirOutcome)
{
    const struct {
        const char* errorName;
        Kind expected;
        const char* reasonPart;
    } rows[] = {
        {TimedatedMock::NotAuthorized, Kind::NotAuthorised, "permission"},
        {"org.freedesktop.DBus.Error.AccessDenied", Kind::NotAuthorised, "permission"},
        {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", Kind::NotAuthorised, "permission"},
        {"org.freedesktop.PolicyKit1.Error.Cancelled", Kind::NotAuthorised, "dismissed"},
        {"org.freedesktop.DBus.Error.Spawn.ChildExited", Kind::ServiceMissing, "systemd-timedated"},
        {"org.example.Broken", Kind::Failed, "refused by the mock"}, // the service's own words
    };
    for (const auto& row : rows) {
        mock.refuseSetTime(row.errorName);
        const ClockSetOutcome outcome = setter().adjust(1);
        EXPECT_EQ(outcome.kind, row.expected) << row.errorName;
        EXPECT_TRUE(outcome.reason.contains(row.reasonPart)) << row.errorName << ": " << qPrintable(outcome.reason);
    }
}

TEST(TimedatedLeavingTest, ATimedatedThatLeftIsSaidBeforeAndAfterASet)
{
    const PrivateSystemBus bus;
    std::optional<TimedatedMock> timedated(std::in_place, bus);
    ASSERT_TRUE(timedated->errorText().isEmpty()) << qPrintable(timedated->errorText());
    TimedatedClockSetter setter(bus.connect("korvel-under-test"));
    EXPECT_TRUE(setter.obstacle().isEmpty());
    timedated.reset();
    const ClockSetOutcome outcome = setter.adjust(1'000'000);
    EXPECT_EQ(outcome.kind, Kind::ServiceMissing) << qPrintable(outcome.reason);
    EXPECT_EQ(setter.obstacle(), outcome.reason);
}

} // namespace

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
