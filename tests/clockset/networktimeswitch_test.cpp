// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/networktimeswitch.h"

#include "support/privatesystembus.h"
#include "support/timedatedmock.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

using Kind = ClockSetOutcome::Kind;

// Lets the bus deliver until the switch reads `on`.
bool readsSoon(const NetworkTimeSwitch& networkTime, bool on)
{
    return QTest::qWaitFor([&] { return networkTime.isOn() == on; }, 5000);
}

} // namespace

TEST(NetworkTimeSwitchTest, FollowsTheSwitchWhoeverTurnsItAndSaysARefusal)
{
    const PrivateSystemBus bus;
    std::optional<TimedatedMock> timedated(std::in_place, bus);
    ASSERT_TRUE(timedated->errorText().isEmpty()) << qPrintable(timedated->errorText());
    NetworkTimeSwitch networkTime(bus.connect("korvel-under-test"));
    EXPECT_EQ(networkTime.isOn(), true) << "read at start";
    QSignalSpy changes(&networkTime, &NetworkTimeSwitch::ntpChanged);

    timedated->setNtp(false); // another program, as `timedatectl set-ntp false`
    EXPECT_TRUE(readsSoon(networkTime, false));
    const ClockSetOutcome on = networkTime.turn(true);
    EXPECT_TRUE(on.ok()) << qPrintable(on.reason);
    EXPECT_EQ(networkTime.isOn(), true) << "turn() returns once timedated says so";
    EXPECT_EQ(timedated->calls(), QStringList{"SetNTP true, true"}) << "interactive, so polkit may ask";

    timedated->refuseSetNtp(TimedatedMock::NotAuthorized);
    EXPECT_EQ(networkTime.turn(false).kind, Kind::NotAuthorised);
    EXPECT_EQ(networkTime.isOn(), true);
    EXPECT_EQ(changes.size(), 2);

    // Idle, timedated leaves the bus; the switch stays as it was said, and a
    // timedated that comes back is read again.
    timedated->setNtp(false);
    ASSERT_TRUE(readsSoon(networkTime, false));
    timedated.reset();
    QTest::qWait(200);
    EXPECT_EQ(networkTime.isOn(), false);
    timedated.emplace(bus);
    EXPECT_TRUE(readsSoon(networkTime, true));
}
