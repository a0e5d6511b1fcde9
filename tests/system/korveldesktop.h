// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "korvelprogram.h"
#include "loopbacktimeserver.h"
#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"
#include "support/qtprinters.h"
#include "support/timedatedmock.h"
#include "support/traydisplay.h"
#include "support/waylanddesktop.h"
#include "support/xinetdtime.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>
#include <functional>
#include <optional>

// A desktop for the real program: an X11 display with an XEmbed tray host
// or a Wayland one with a StatusNotifierItem host, a system bus with
// NetworkManager (online through a modem) and timedated, xinetd's time
// service as the only server, and the settings in a private folder.
class KorvelDesktop : public testing::Test
{
protected:
    enum class Session { X11, Wayland };

    explicit KorvelDesktop(Session session = Session::X11)
    {
        if (session == Session::X11)
            display.emplace();
        else
            wayland.emplace();
    }

    void SetUp() override
    {
        if (display)
            ASSERT_TRUE(display->isRunning()) << qPrintable(display->errorText());
        else
            ASSERT_TRUE(wayland->isRunning()) << qPrintable(wayland->errorText());
        ASSERT_TRUE(networkManager.errorText().isEmpty()) << qPrintable(networkManager.errorText());
        ASSERT_TRUE(timedated.errorText().isEmpty()) << qPrintable(timedated.errorText());
        xinetd = xinetdTimeEntry();
        timeServers = xinetd;
        if (xinetd.isEmpty())
            GTEST_SKIP() << "xinetd's time service is not running (scripts/services.sh starts it)";
        networkManager.addModemDevice();
        const QString modem = networkManager.addActiveConnection(networkManager.addProfile("Modem"), "Modem");
        networkManager.setState(NetworkManagerMock::StateConnectedGlobal);
        networkManager.setPrimaryConnection(modem, QStringLiteral("gsm"));
        timedated.setNtp(false);

    }

    // Updates every 2 hours, the last one 3 hours ago: overdue.
    void writeSettings(bool automaticUpdates, const QByteArray& more = {})
    {
        QDir(home.path()).mkpath("Korvel");
        lastUpdate = GeneralDate::format(DateSerial::addMinutes(Clock::instance().nowSerial(), -180));
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Option]\nCheckTime=2\nCheckEvery=") + (automaticUpdates ? "1" : "0")
                   + "\nLastUpdate=" + lastUpdate.toUtf8() + "\n" + more);
    }

    QString saved(const char* key) const
    {
        return QSettings(settingsPath(), QSettings::IniFormat).value(QLatin1String("Option/") + key).toString();
    }

    // Whether `condition` comes true within `msecs`, looking every 50 ms.
    static bool eventually(const std::function<bool()>& condition, int msecs = 10000)
    {
        const QDeadlineTimer deadline(msecs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    // Korvel's icon in the X11 tray, once it is there.
    QString trayIcon() const
    {
        QList<quint32> icons;
        eventually([&] { return !(icons = TrayDisplay::dockedWindows(display->name(), korvel.processId())).isEmpty(); });
        return icons.isEmpty() ? QString() : QString::number(icons.first());
    }

    // A click on the X11 tray icon opens the menu at the pointer; `key` chooses in it.
    void chooseInTrayMenu(const QString& icon, const QString& key)
    {
        // The open menu is a window of Korvel's own, without a name.
        const auto menuOpen = [&] { return shownWindows().size() > shownWindows(kWindowTitle).size(); };
        ASSERT_TRUE(eventually([&] { return !menuOpen(); }));
        // Two presses on one spot within the double-click interval would be a
        // double click: the clicks take turns between two corners of the icon.
        const QString at = QString::number(trayClicks++ % 2 ? 16 : 4);
        xdotool({"mousemove", "--window", icon, at, at, "click", "1"});
        ASSERT_TRUE(eventually(menuOpen)) << errors.constData();
        // A key pressed before the menu holds the keyboard is lost (a window
        // manager under load can be slow to let it): pressed again while the menu stays.
        QDeadlineTimer nextPress(0);
        ASSERT_TRUE(eventually([&] {
            if (nextPress.hasExpired()) {
                xdotool({"key", key});
                nextPress.setRemainingTime(1000);
            }
            return !menuOpen();
        })) << errors.constData();
    }

    // Whether the X server or the compositor (which lists mapped windows only) shows Korvel's window.
    bool windowShown() const
    {
        return display ? !shownWindows(kWindowTitle).isEmpty()
                       : wayland->swaymsg({"-t", "get_tree"}).contains(R"("app_id": "org.korvel.Korvel")");
    }

    // What xdotool prints for `arguments` on the test's display.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display->name());
        tool.setProcessEnvironment(environment);
        tool.start("xdotool", arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // Korvel's shown top-level X11 windows, or those of them named `name`.
    QStringList shownWindows(const QString& name = {}) const
    {
        QStringList arguments{"search", "--all", "--onlyvisible", "--maxdepth", "2", "--pid",
                              QString::number(korvel.processId())};
        if (!name.isEmpty())
            arguments << "--name" << name;
        return xdotool(arguments).split(u'\n', Qt::SkipEmptyParts);
    }

    void TearDown() override
    {
        if (korvel.state() != QProcess::NotRunning) {
            korvel.kill();
            korvel.waitForFinished(5000);
        }
    }

    QString settingsPath() const { return home.filePath("Korvel/Korvel.ini"); }

    void start(const QStringList& arguments)
    {
        EnvironmentChanges changes{{"XDG_CONFIG_HOME", home.path()}, {"DBUS_SYSTEM_BUS_ADDRESS", bus.address()},
                                   {"KORVEL_TIME_SERVERS", timeServers}, {"QT_LOGGING_RULES", "korvel.tray.debug=true"}};
        if (display) {
            // The X11 desktop has a session bus only with a window manager that brings one.
            startKorvel(korvel, arguments,
                        changes + EnvironmentChanges{{"DISPLAY", display->name()}, {"QT_QPA_PLATFORM", "xcb"},
                                                     {"WAYLAND_DISPLAY", {}},
                                                     {"DBUS_SESSION_BUS_ADDRESS", x11SessionBus}}
                            + x11Environment);
        } else {
            wayland->giveToUser(home.path());
            wayland->prepare(korvel, environmentWith(changes));
            korvel.start(KORVEL_BINARY, arguments);
        }
        korvel.setReadChannel(QProcess::StandardError);
    }

    // Reads standard error until `text` appears after what was found last;
    // false after `timeoutMsecs` without output.
    bool waitForError(const QByteArray& text, int timeoutMsecs = 20000)
    {
        while (errors.indexOf(text, found) < 0 && korvel.waitForReadyRead(timeoutMsecs))
            errors += korvel.readAll();
        const qsizetype at = errors.indexOf(text, found);
        if (at >= 0)
            found = at + text.size();
        return at >= 0;
    }

    void expectOneClockAdjustmentNow()
    {
        const QList<TimedatedMock::SetTimeCall> calls = timedated.setTimeCalls();
        ASSERT_EQ(calls.size(), 1);
        EXPECT_TRUE(calls[0].relative && calls[0].interactive);
        // xinetd reads this machine's clock: the adjustment is the lag and half a second.
        EXPECT_LT(std::llabs(calls[0].usecUtc), 2'000'000) << calls[0].usecUtc;
        EXPECT_NE(saved("LastUpdate"), lastUpdate);
    }

    static constexpr const char* kWindowTitle = "Korvel Time & Date Setter";
    int trayClicks = 0;
    std::optional<TrayDisplay> display;
    std::optional<WaylandDesktop> wayland;
    PrivateSystemBus bus;
    NetworkManagerMock networkManager{bus};
    TimedatedMock timedated{bus};
    QTemporaryDir home;
    QString xinetd;
    // The cycle the program is started with: xinetd's service unless a test sets its own.
    QString timeServers;
    QString lastUpdate;
    QString x11SessionBus;
    EnvironmentChanges x11Environment;
    QProcess korvel;
    QByteArray errors;
    qsizetype found = 0;
};
