// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korveldesktop.h"

#include <atomic>

#include <signal.h>
#include <unistd.h>

using UpdateOnTheDesktop = KorvelDesktop;

TEST_F(UpdateOnTheDesktop, AnUnattendedStartUpdatesAnOverdueClockAndStaysInTheTray)
{
    writeSettings(true);
    start({"Load", "1"});
    ASSERT_TRUE(waitForError("korvel.status: Status: Time Received.")) << errors.constData();
    ASSERT_TRUE(waitForError("korvel.status: Last update was on - ")) << errors.constData();
    expectOneClockAdjustmentNow();
    QThread::msleep(1500);
    EXPECT_EQ(korvel.state(), QProcess::Running);
    EXPECT_EQ(TrayDisplay::dockedWindows(display->name(), korvel.processId()).size(), 1);
}

TEST_F(UpdateOnTheDesktop, WhileTheClockWaitsForAuthorisationKorvelCanBeClosed)
{
    timedated.holdSetTime(60); // an authorisation dialog nobody answers
    writeSettings(true);
    start({"Load", "1"});
    ASSERT_TRUE(waitForError("korvel.status: Status: Time Received.")) << errors.constData();
    const QString icon = trayIcon();
    ASSERT_FALSE(icon.isEmpty());
    chooseInTrayMenu(icon, "c");
    ASSERT_TRUE(korvel.waitForFinished(10000)) << "closed while the clock is being set";
    EXPECT_EQ(korvel.exitCode(), 0);
}

TEST_F(UpdateOnTheDesktop, SetTimeClickedInTheWindowUpdatesAndCountsDownInTheToolTip)
{
    // Automatic updates off, so only the click can start this update.
    writeSettings(false);
    start({});
    ASSERT_TRUE(waitForError("korvel.status: Last update was on - ")) << errors.constData();
    QString window;
    ASSERT_TRUE(eventually([&] { return !(window = shownWindows(kWindowTitle).value(0)).isEmpty(); }));
    // "Set Time" is the first control of the window and has the focus once
    // the window has it; a busy machine may need a second press.
    bool pressed = false;
    for (int attempt = 0; attempt < 5 && !pressed; ++attempt) {
        xdotool({"windowfocus", "--sync", window});
        xdotool({"key", "--window", window, "space"});
        pressed = waitForError("korvel.status: Status: Looking for a connection...", 2000);
    }
    ASSERT_TRUE(pressed) << errors.constData();
    ASSERT_TRUE(waitForError("korvel.status: Status: Time Received.")) << errors.constData();
    ASSERT_TRUE(waitForError("Korvel - Next update is in 2.0 hours")) << errors.constData();
    expectOneClockAdjustmentNow();
}

// With network time on, status names the switch and the entries; the
// window says so and its schedule only checks.
TEST_F(UpdateOnTheDesktop, WithNetworkTimeOnStatusAndTheWindowSaySoAndTheScheduleOnlyChecks)
{
    timedated.setNtp(true);
    writeSettings(true);
    const ProgramRun run = runKorvel({"--status"}, {{"DBUS_SYSTEM_BUS_ADDRESS", bus.address()},
                                                    {"XDG_CONFIG_HOME", home.path()}, {"DISPLAY", {}},
                                                    {"KORVEL_TIME_SERVERS", xinetd}});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const QString& line : {QString("Connection: connected (Modem)"),
                                QString("Dial-up: supported through NetworkManager; entries: Modem"),
                                QString("network time keeps the clock (automatic network time is on): \"Set Time\" "
                                        "offers to turn it off and take over"),
                                QString("Next automatic update: due now"), "Time servers: " + xinetd})
        EXPECT_TRUE(run.out.contains(line)) << line.toStdString() << "\n" << run.out.toStdString();

    start({"Load", "1"});
    ASSERT_TRUE(waitForError("korvel.status: Status: The system's network time keeps the clock")) << errors.constData();
    ASSERT_TRUE(waitForError("korvel.status: The PC clock is ")) << errors.constData();
    ASSERT_TRUE(waitForError("Korvel - Clock not set: network time keeps it. Next check in 2.0 hours"))
        << errors.constData();
    EXPECT_TRUE(timedated.calls().isEmpty());
    EXPECT_EQ(saved("LastUpdate"), lastUpdate);
}

TEST_F(UpdateOnTheDesktop, AProcessStoppedWhileAQuestionWaitsSetsNothingWrong)
{
    // Four servers 7 s ahead; the third stops Korvel while its first question waits, and answers meanwhile.
    std::atomic<int> questions{0};
    std::vector<std::unique_ptr<LoopbackTimeServer>> servers;
    QStringList cycle;
    for (int i = 0; i < 4; ++i) {
        servers.push_back(i != 2 ? LoopbackTimeServer::followingClock(std::chrono::milliseconds(7000))
                                 : std::make_unique<LoopbackTimeServer>([&](int socket) {
                                       if (questions++ == 0 && ::kill(korvel.processId(), SIGSTOP) == 0)
                                           QThread::msleep(2500);
                                       const QByteArray answer =
                                           LoopbackTimeServer::answerFor(QDateTime::currentDateTimeUtc().addSecs(7));
                                       static_cast<void>(::write(socket, answer.constData(), size_t(answer.size())));
                                       ::kill(korvel.processId(), SIGCONT);
                                   }));
        cycle << servers.back()->entry();
    }
    timeServers = cycle.join(u',');
    writeSettings(true);
    start({"Load", "1"});
    // Without the paused answer the other three may leave too much open to
    // set; either way, nothing wrong is set.
    ASSERT_TRUE(waitForError("korvel.status: Status: The clock is now within ") ||
                errors.contains("The clock was not changed."))
        << errors.constData();
    EXPECT_EQ(questions, 2) << "asked once in each round";
    const QList<TimedatedMock::SetTimeCall> calls = timedated.setTimeCalls();
    ASSERT_LE(calls.size(), 1);
    for (const TimedatedMock::SetTimeCall& call : calls)
        EXPECT_NEAR(double(call.usecUtc), 7'000'000.0, 130'000.0);
}
