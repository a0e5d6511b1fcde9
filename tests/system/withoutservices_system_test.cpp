// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"
#include "loopbacktimeserver.h"
#include "support/privatesystembus.h"
#include "support/traydisplay.h"

#include <QDir>
#include <QTemporaryDir>

#include <atomic>

#include <sys/socket.h>
#include <unistd.h>

// A system bus where neither NetworkManager nor timedated answers. The
// QProcess kills its program as the test ends.
TEST(WithoutServices, TheWindowComesUpAndItAndStatusSayWhatCannotBeDone)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText());
    TrayDisplay display;
    ASSERT_TRUE(display.isRunning()) << qPrintable(display.errorText());
    QTemporaryDir home;
    const EnvironmentChanges environment{{"DBUS_SYSTEM_BUS_ADDRESS", bus.address()}, {"XDG_CONFIG_HOME", home.path()}};
    const ProgramRun run = runKorvel({"--status"}, environment + EnvironmentChanges{{"DISPLAY", {}}});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* line : {"Dial-up: not supported (NetworkManager is not running)",
                             "Clock: set through systemd-timedated (CAP_SYS_TIME not held); timedated is not "
                             "available, so the clock cannot be set",
                             "Next automatic update: automatic updates are off"})
        EXPECT_TRUE(run.out.contains(QLatin1String(line))) << line << "\n" << run.out.toStdString();

    QProcess korvel;
    startKorvel(korvel, {}, environment + EnvironmentChanges{{"DISPLAY", display.name()}, {"QT_QPA_PLATFORM", "xcb"}});
    QByteArray errors;
    EXPECT_TRUE(waitForError(korvel, errors,
                             "korvel.status: Status: The clock cannot be set: the system's time service "
                             "(systemd-timedated) is not available"))
        << errors.constData();
    EXPECT_TRUE(errors.contains("korvel.status: Status: NO RAS")) << errors.constData();
    EXPECT_EQ(korvel.state(), QProcess::Running);
}

// A bus daemon that hangs: its socket takes connections and answers nothing,
// or lets Korvel in ("OK") and then answers nothing more.
const char* const kStuckBus = R"(
import socket, sys
listener = socket.socket(socket.AF_UNIX)
listener.bind(sys.argv[1])
listener.listen(8)
print("ready", flush=True)
held = []
while True:
    held.append(listener.accept()[0])
    while sys.argv[2] == "OK" and not held[-1].recv(256).endswith(b"\r\n"):
        pass
    if sys.argv[2] == "OK":
        held[-1].sendall(b"OK 0123456789abcdef0123456789abcdef\r\n")
)";

TEST(StuckSystemBus, TheWindowAndStatusComeUpWithoutItAndSaySo)
{
    for (const char* authentication : {"none", "OK"}) {
        QTemporaryDir home;
        QProcess stuck;
        stuck.start("python3", {"-c", kStuckBus, home.filePath("system-bus"), authentication});
        ASSERT_TRUE(stuck.waitForReadyRead(10000)) << stuck.readAllStandardError().constData();
        // A settings file that cannot be read, and a web site that never answers.
        QDir(home.path()).mkpath("Korvel/Korvel.ini");
        std::atomic<int> visits{0};
        LoopbackTimeServer silentSite([&visits](int connection) {
            ++visits;
            for (char byte; ::recv(connection, &byte, 1, 0) > 0;) {
            }
        });
        const QString address = "unix:path=" + home.filePath("system-bus");
        const EnvironmentChanges environment{{"DBUS_SYSTEM_BUS_ADDRESS", address},
                                             {"XDG_CONFIG_HOME", home.path()},
                                             {"KORVEL_TEST_SITES", "http://" + silentSite.entry()}};
        const QString said = "the system bus (" + address + ") did not answer within 2 s";

        const ProgramRun status = runKorvel({"--status"}, environment);
        EXPECT_EQ(status.exitCode, 0) << authentication;
        EXPECT_TRUE(status.out.startsWith("System bus: " + said)) << authentication << status.out.toStdString();
        EXPECT_TRUE(status.out.contains("Options not read: cannot read")) << status.out.toStdString();
        // The machine's default route makes it a LAN, which the site decides: asked once.
        EXPECT_EQ(visits, 1) << authentication;

        QProcess korvel;
        startKorvel(korvel, {}, environment + EnvironmentChanges{{"QT_QPA_PLATFORM", "offscreen"}});
        QByteArray errors;
        EXPECT_TRUE(waitForError(korvel, errors, "korvel.status: Status: NO RAS")) << authentication << errors.constData();
        EXPECT_TRUE(errors.contains("korvel.bus: " + said.toUtf8())) << authentication << errors.constData();
    }
}
