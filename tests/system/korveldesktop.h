#pragma once

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "korvelprogram.h"
#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"
#include "support/qtprinters.h"
#include "support/timedatedmock.h"
#include "support/timeserverfixture.h"
#include "support/traydisplay.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>

// A desktop for the real program: a display with a tray host, a system bus
// with NetworkManager (online through a modem) and timedated, xinetd's time
// service as the only server, and the settings in a private folder.
class KorvelDesktop : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(display.isRunning()) << qPrintable(display.errorText());
        ASSERT_TRUE(networkManager.errorText().isEmpty()) << qPrintable(networkManager.errorText());
        ASSERT_TRUE(timedated.errorText().isEmpty()) << qPrintable(timedated.errorText());
        xinetd = TimeServerFixture::xinetdEntry();
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

    // Korvel's icon in the tray, once it is there (10 seconds at most).
    QString trayIcon() const
    {
        for (int i = 0; i < 100; ++i, QThread::msleep(100)) {
            const QList<quint32> icons = TrayDisplay::dockedWindows(display.name(), korvel.processId());
            if (!icons.isEmpty())
                return QString::number(icons.first());
        }
        return {};
    }

    // What xdotool prints for `arguments` on the test's display.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display.name());
        tool.setProcessEnvironment(environment);
        tool.start("xdotool", arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }

    // A click on the icon opens its menu at the pointer; "&Close" answers to c.
    void closeThroughTrayMenu(const QString& icon) const
    {
        xdotool({"mousemove", "--window", icon, "4", "4", "click", "1"});
        QThread::msleep(500);
        xdotool({"key", "c"});
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
        startKorvel(korvel, arguments,
                    {{"DISPLAY", display.name()}, {"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", {}},
                     {"XDG_CONFIG_HOME", home.path()}, {"DBUS_SYSTEM_BUS_ADDRESS", bus.address()},
                     {"KORVEL_TIME_SERVERS", xinetd}, {"QT_LOGGING_RULES", "korvel.tray.debug=true"}});
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

    TrayDisplay display;
    PrivateSystemBus bus;
    NetworkManagerMock networkManager{bus};
    TimedatedMock timedated{bus};
    QTemporaryDir home;
    QString xinetd;
    QString lastUpdate;
    QProcess korvel;
    QByteArray errors;
    qsizetype found = 0;
};
