// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedclocksetter.h"
#include "form1fixture.h"
#include "support/privatesystembus.h"
#include "support/timedatedmock.h"
#include "tray/frmsystray.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray kFiveHoursAgo = "LastUpdate=6/15/2030 7:00:00 AM\n";
const QString kKeeps =
    QStringLiteral("Status: The system's network time keeps the clock; \"Set Time\" will offer to take over.");

// The window on a desktop as it comes: systemd-timedated on a private system
// bus (dbusmock, refusing SetTime while network time is on, as the real one
// does) with network time on, a connection that is up, and a loopback time
// server ten seconds ahead of the test's clock.
class NetworkTimeDesktop : public Form1OnAModem
{
protected:
    NetworkTimeDesktop() { networkTime = std::make_shared<NetworkTimeSwitch>(windowBus); }
    void SetUp() override { ASSERT_TRUE(timedated.errorText().isEmpty()) << qPrintable(timedated.errorText()); }

    Form1Services services() override
    {
        Form1Services desktop = Form1Fixture::services();
        desktop.clockSetter = std::make_shared<TimedatedClockSetter>(windowBus);
        return desktop;
    }

    // Runs the scheduler's ticks a minute apart for `minutes` minutes; the
    // minutes at which `server` was asked.
    QList<int> askedMinutes(const LoopbackTimeServer& asked, int minutes)
    {
        QList<int> at;
        for (int minute = 0; minute < minutes; ++minute) {
            const int before = asked.questions();
            form->Timer1_Timer();
            if (asked.questions() > before)
                at.append(minute);
            clock.advanceMsecs(60'000);
        }
        return at;
    }

    PrivateSystemBus bus;
    TimedatedMock timedated{bus};
    QDBusConnection windowBus = bus.connect("korvel-window");
};

} // namespace

TEST_F(NetworkTimeDesktop, TheFirstSetTimeTakesOverAfterOneBoxAndDecliningOnlyChecks)
{
    const Form1Design& ui = load("CheckEvery=1\nCheckTime=2\n" + kFiveHoursAgo).design();
    EXPECT_EQ(lines().last(), kKeeps) << "said as the window opens";
    EXPECT_TRUE(ui.mnuNetworkTime->isEnabled() && ui.mnuNetworkTime->isChecked());
    const QColor success = ui.Label1->palette().color(QPalette::WindowText);

    // Declined: nothing reaches timedated; the offset is said, and the failure
    // stays where the eye falls and in the tray, a tick later too. The due
    // schedule's tick while the box is open starts no second update.
    prompts->whileAsking = [this] { form->Timer1_Timer(); };
    ui.cmdSetTime->click();
    prompts->whileAsking = {};
    EXPECT_EQ(server->questions(), 1);
    EXPECT_EQ(prompts->asked, QStringList{"Network Time"});
    EXPECT_TRUE(timedated.calls().isEmpty());
    const QString check = "The PC clock is 10.625 s behind the time servers (±0.500 s); network time keeps it.";
    EXPECT_EQ(lines().last(), check);
    form->Timer1_Timer();
    EXPECT_EQ(ui.Label1->text(), " Clock not set:\n  network time keeps it");
    EXPECT_NE(ui.Label1->palette().color(QPalette::WindowText), success);
    EXPECT_EQ(ui.lstConnectState->toolTip(), check);
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Clock not set: network time keeps it. Next check in 2.0 hours");
    EXPECT_EQ(saved(Option::LastUpdate), "6/15/2030 7:00:00 AM");

    // Accepted: network time off, then the clock set, in that order, from one press.
    prompts->yes = true;
    ui.cmdSetTime->click();
    EXPECT_EQ(timedated.calls(), (QStringList{"SetNTP false, true", "SetTime 10625000, true, true"}));
    EXPECT_EQ(ui.Label1->text(), " 6/15/2030 12:00:10 PM\n  Network Lagtime = 0.25");
    EXPECT_EQ(ui.Label1->palette().color(QPalette::WindowText), success);
    EXPECT_EQ(saved(Option::LastUpdate), "2030-06-15T12:00:10Z");
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Next update is in 2.0 hours");
    EXPECT_FALSE(ui.mnuNetworkTime->isChecked());
    EXPECT_TRUE(lines().contains("Status: Network time is off; \"Set Time\" sets the clock."));

    const auto box = UserPrompts::choiceBox(form.get(), prompts->asked[0], prompts->texts[0], "Turn Off Network Time",
                                            "Leave Network Time On");
    EXPECT_TRUE(box->sizeHint().boundedTo(QSize(1024, 768)) == box->sizeHint()) << "fits a small screen";
}

TEST_F(NetworkTimeDesktop, ADayOfAutomaticUpdatesWithNetworkTimeOnAsksTheServersOncePerInterval)
{
    load("CheckEvery=1\nCheckTime=4\n" + kFiveHoursAgo);
    EXPECT_EQ(askedMinutes(*server, 24 * 60), (QList<int>{0, 240, 480, 720, 960, 1200}));
    EXPECT_TRUE(timedated.calls().isEmpty()) << "checks only: never set, never taken over";
    EXPECT_TRUE(prompts->asked.isEmpty()) << "the schedule asks the user nothing";
    EXPECT_EQ(saved(Option::LastUpdate), "6/15/2030 7:00:00 AM");
    // The tick's unchanged last update is said once, at load, not every
    // minute (each line the window shows goes to standard error too): the
    // last check stays in sight.
    EXPECT_EQ(lines().count("Last update was on - 6/15/2030 7:00:00 AM"), 1);
    EXPECT_TRUE(lines().last().startsWith("The PC clock is ")) << qPrintable(lines().last());
}

TEST_F(NetworkTimeDesktop, AServerSilentForHoursIsAskedAfterGrowingPausesUpToTheInterval)
{
    timedated.setNtp(false);
    const LoopbackTimeServer silent{QByteArray()}; // hangs up without a word
    host = silent.entry();
    load("CheckEvery=1\nCheckTime=2\n" + kFiveHoursAgo);
    // Pauses of 1, 2, 4 ... 64 minutes, then the interval's 120.
    EXPECT_EQ(askedMinutes(silent, 10 * 60), (QList<int>{0, 1, 3, 7, 15, 31, 63, 127, 247, 367, 487}));
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Clock not set: no time server answered. Next check in 8.0 minutes");
    EXPECT_EQ(form->design().Label1->text(), " Clock not set:\n  no time server answered");
}

TEST_F(NetworkTimeDesktop, ARefusedAuthorisationHoldsTheScheduleUntilTheUserPressesSetTime)
{
    timedated.setNtp(false);
    timedated.refuseSetTime(TimedatedMock::NotAuthorized);
    const Form1Design& ui = load("CheckEvery=1\nCheckTime=2\n" + kFiveHoursAgo).design();
    form->Timer1_Timer();
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Automatic updates wait for \"Set Time\"");
    EXPECT_TRUE(lines().contains("Status: Automatic updates will not ask again until you press \"Set Time\"."));
    EXPECT_EQ(askedMinutes(*server, 3), QList<int>{}) << "held: the schedule asks no server";

    // The user's press lifts the hold at once, while the authorisation is still open.
    timedated.holdSetTime(1);
    QString tipWhileAsking;
    QTimer::singleShot(300, form.get(), [&] { tipWhileAsking = form->trayForm()->ToolTip(); });
    ui.cmdSetTime->click();
    EXPECT_TRUE(tipWhileAsking.startsWith("Korvel - Clock not set: permission was refused.")) << qPrintable(tipWhileAsking);
    EXPECT_EQ(form->trayForm()->ToolTip(), "Korvel - Next update is in 2.0 hours");

    // The user saw the question and said no: that holds nothing.
    timedated.refuseSetTime(TimedatedMock::NotAuthorized);
    ui.cmdSetTime->click();
    EXPECT_TRUE(form->trayForm()->ToolTip().startsWith("Korvel - Clock not set: permission was refused."));
}

TEST_F(NetworkTimeDesktop, NetworkTimeTurnedBackOnFromTheMenuAndOffByAnotherProgram)
{
    timedated.setNtp(false); // Korvel took over before
    ASSERT_TRUE(QTest::qWaitFor([&] { return networkTime->isOn() == false; }));
    const Form1Design& ui = load("CheckTime=2\n").design();
    EXPECT_FALSE(lines().contains(kKeeps));
    ASSERT_TRUE(ui.mnuNetworkTime->isEnabled());
    EXPECT_FALSE(ui.mnuNetworkTime->isChecked());

    ui.mnuNetworkTime->trigger();
    EXPECT_EQ(timedated.calls(), QStringList{"SetNTP true, true"});
    EXPECT_TRUE(ui.mnuNetworkTime->isChecked());
    EXPECT_EQ(lines().last(), kKeeps);

    // Refused: the item shows what timedated says, and a line says why.
    timedated.refuseSetNtp(TimedatedMock::NotAuthorized);
    ui.mnuNetworkTime->trigger();
    EXPECT_TRUE(ui.mnuNetworkTime->isChecked());
    EXPECT_EQ(lines().last(), "Status: Network time was not turned off: permission to change the clock was refused "
                              "or the request was dismissed");

    timedated.setNtp(false); // as `timedatectl set-ntp false`
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ui.mnuNetworkTime->isChecked(); }));
    EXPECT_EQ(lines().last(), "Status: Network time is off; \"Set Time\" sets the clock.");
}
