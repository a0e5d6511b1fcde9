// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"
#include "loopbacktimeserver.h"
#include "support/privatesystembus.h"
#include "support/traydisplay.h"

#include <QDir>
#include <QLocalServer>
#include <QTemporaryDir>

#include <atomic>

#include <sys/socket.h>
#include <unistd.h>

// A system bus where neither NetworkManager nor timedated answers. Each QProcess
// kills its program as the test ends.
class WithoutServices : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText()); }

    EnvironmentChanges environment() const
    {
        return {{"DBUS_SYSTEM_BUS_ADDRESS", bus.address()}, {"XDG_CONFIG_HOME", home.path()}};
    }

    PrivateSystemBus bus;
    QTemporaryDir home;
};

TEST_F(WithoutServices, TheWindowComesUpAndSaysWhatItCannotDo)
{
    TrayDisplay display;
    ASSERT_TRUE(display.isRunning()) << qPrintable(display.errorText());
    QProcess korvel;
    startKorvel(korvel, {}, environment() + EnvironmentChanges{{"DISPLAY", display.name()}, {"QT_QPA_PLATFORM", "xcb"}});
    QByteArray errors;
    EXPECT_TRUE(waitForError(korvel, errors,
                             "korvel.status: Status: The clock cannot be set: the system's time service "
                             "(systemd-timedated) is not available"))
        << errors.constData();
    EXPECT_TRUE(errors.contains("korvel.status: Status: NO RAS")) << errors.constData();
    EXPECT_EQ(korvel.state(), QProcess::Running);
}

TEST_F(WithoutServices, StatusSaysWhyAnUpdateWouldNotWork)
{
    const ProgramRun run = runKorvel({"--status"}, environment() + EnvironmentChanges{{"DISPLAY", {}}});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* line : {"Dial-up: not supported (NetworkManager is not running)",
                             "Clock: set through systemd-timedated (CAP_SYS_TIME not held); timedated is not "
                             "available, so the clock cannot be set",
                             "Next automatic update: automatic updates are off"})
        EXPECT_TRUE(run.out.contains(QLatin1String(line))) << line << "\n" << run.out.toStdString();
}

// A bus daemon that hangs: its socket takes connections and nothing answers.
TEST(StuckSystemBus, TheWindowAndStatusComeUpWithoutItAndSaySo)
{
    QTemporaryDir home;
    QLocalServer stuck;
    ASSERT_TRUE(stuck.listen(home.filePath("system-bus")));
    // A settings file that cannot be read, and a web site that never answers.
    QDir(home.path()).mkpath("Korvel/Korvel.ini");
    std::atomic<int> visits{0};
    LoopbackTimeServer silentSite([&visits](int connection) {
        ++visits;
        for (char byte; ::recv(connection, &byte, 1, 0) > 0;) {
        }
        ::close(connection);
    });
    const EnvironmentChanges environment{{"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + home.filePath("system-bus")},
                                         {"XDG_CONFIG_HOME", home.path()},
                                         {"KORVEL_TEST_SITES", "http://" + silentSite.entry()}};
    const QString said = "the system bus (unix:path=" + home.filePath("system-bus") + ") did not answer within 2 s";

    const ProgramRun status = runKorvel({"--status"}, environment);
    EXPECT_EQ(status.exitCode, 0);
    EXPECT_TRUE(status.out.startsWith("System bus: " + said)) << status.out.toStdString();
    EXPECT_TRUE(status.out.contains("Options not read: cannot read")) << status.out.toStdString();
    // The machine's default route makes it a LAN, which the site decides: asked once.
    EXPECT_EQ(visits, 1);

    QProcess korvel;
    startKorvel(korvel, {}, environment + EnvironmentChanges{{"QT_QPA_PLATFORM", "offscreen"}});
    QByteArray errors;
    EXPECT_TRUE(waitForError(korvel, errors, "korvel.status: Status: NO RAS")) << errors.constData();
    EXPECT_TRUE(errors.contains("korvel.bus: " + said.toUtf8())) << errors.constData();
}

// A daemon that lets Korvel in and then answers nothing more.
TEST(StuckSystemBus, AfterTheAuthenticationIsSaidAsStuck)
{
    QTemporaryDir home;
    QProcess stuck;
    stuck.start("python3", {"-c", R"(
import socket, sys
listener = socket.socket(socket.AF_UNIX)
listener.bind(sys.argv[1])
listener.listen(8)
print("ready", flush=True)
held = []
while True:
    held.append(listener.accept()[0])
    while not held[-1].recv(256).endswith(b"\r\n"):
        pass
    held[-1].sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")
)", home.filePath("system-bus")});
    ASSERT_TRUE(stuck.waitForReadyRead(10000)) << stuck.readAllStandardError().constData();
    const QString address = "unix:path=" + home.filePath("system-bus");
    const ProgramRun status = runKorvel({"--status"}, {{"DBUS_SYSTEM_BUS_ADDRESS", address},
                                                       {"XDG_CONFIG_HOME", home.path()},
                                                       {"KORVEL_TEST_SITES", "http://127.0.0.1:9/"}});
    EXPECT_TRUE(status.out.startsWith("System bus: the system bus (" + address + ") did not answer within 2 s"))
        << status.out.toStdString();
}
