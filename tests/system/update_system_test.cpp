#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "korvelprogram.h"
#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"
#include "support/timedatedmock.h"
#include "support/timeserverfixture.h"
#include "support/traydisplay.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>

namespace {

// A desktop for the real program: a display with a tray host, a system bus
// with NetworkManager (online through a modem) and timedated, xinetd's time
// service as the only server, and the settings in a private folder.
class UpdateOnTheDesktop : public testing::Test
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
    void writeSettings(bool automaticUpdates)
    {
        QDir(home.path()).mkpath("Korvel");
        lastUpdate = GeneralDate::format(DateSerial::addMinutes(Clock::instance().nowSerial(), -180));
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("[Option]\nCheckTime=2\nCheckEvery=") + (automaticUpdates ? "1" : "0")
                   + "\nLastUpdate=" + lastUpdate.toUtf8() + "\n");
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
    // false after 20 seconds.
    bool waitForError(const QByteArray& text)
    {
        while (errors.indexOf(text, found) < 0 && korvel.waitForReadyRead(20000))
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
        EXPECT_NE(QSettings(settingsPath(), QSettings::IniFormat).value("Option/LastUpdate").toString(), lastUpdate);
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

} // namespace

TEST_F(UpdateOnTheDesktop, AnUnattendedStartUpdatesAnOverdueClockAndStaysInTheTray)
{
    writeSettings(true);
    start({"Load", "1"});
    ASSERT_TRUE(waitForError("korvel.status: Status: Time Received.")) << errors.constData();
    ASSERT_TRUE(waitForError("korvel.status: Last update was on - ")) << errors.constData();
    expectOneClockAdjustmentNow();
    QThread::msleep(1500);
    EXPECT_EQ(korvel.state(), QProcess::Running);
    EXPECT_EQ(TrayDisplay::dockedWindowCount(display.name(), korvel.processId()), 1);
}

TEST_F(UpdateOnTheDesktop, SetTimeClickedInTheWindowUpdatesAndCountsDownInTheToolTip)
{
    // Automatic updates off, so only the click can start this update.
    writeSettings(false);
    start({});
    ASSERT_TRUE(waitForError("korvel.status: Last update was on - ")) << errors.constData();
    QString window;
    for (int i = 0; i < 50 && window.isEmpty(); ++i, QThread::msleep(100))
        window = xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(korvel.processId()),
                          "--name", "Korvel Time & Date Setter"})
                     .section(u'\n', 0, 0);
    ASSERT_FALSE(window.isEmpty());
    // "Set Time" is the first control of the window and has the focus.
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "--window", window, "space"});
    ASSERT_TRUE(waitForError("korvel.status: Status: Time Received.")) << errors.constData();
    ASSERT_TRUE(waitForError("Korvel - Next update is in 2.0 hours")) << errors.constData();
    expectOneClockAdjustmentNow();
}
