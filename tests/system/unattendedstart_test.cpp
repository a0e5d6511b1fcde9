#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The built program, run with its settings in a private XDG_CONFIG_HOME.
class KorvelProcess : public testing::Test
{
protected:
    ~KorvelProcess() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    static QByteArray lastUpdateMinutesAgo(int minutes)
    {
        const double now = Clock::instance().nowSerial();
        return GeneralDate::format(DateSerial::addMinutes(now, -minutes)).toUtf8();
    }

    QString settingsPath() const { return home.filePath(QStringLiteral("Korvel/Korvel.ini")); }

    void writeSettings(const QByteArray& bytes) const
    {
        QDir(home.path()).mkpath(QStringLiteral("Korvel"));
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray settingsBytes() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Starts korvel with no display at all, or with Qt's offscreen one.
    void start(const QStringList& arguments, bool offscreen)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        if (offscreen)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KORVEL_BINARY), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // Waits (generously) for a status line on standard error.
    bool waitForStderr(const QByteArray& text)
    {
        for (int i = 0; i < 100 && !stderrSeen.contains(text); ++i) {
            if (!process.waitForReadyRead(200) && process.state() == QProcess::NotRunning)
                break;
            stderrSeen += process.readAllStandardError();
        }
        return stderrSeen.contains(text);
    }

    void expectLeftAtOnce()
    {
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        const QByteArray errors = process.readAllStandardError();
        EXPECT_FALSE(errors.contains("Last update was on")) << errors.constData();
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    }

    QTemporaryDir home;
    QProcess process;
    QByteArray stderrSeen;
};

} // namespace

TEST_F(KorvelProcess, UnattendedStartLeavesAtOnceWithoutADisplay)
{
    const QByteArray settings = "[Option]\nCheckTime=2\nTimeAway=1\nUnload=1\nLastUpdate="
        + lastUpdateMinutesAgo(30) + "\n";
    writeSettings(settings);
    start({QStringLiteral("Load"), QStringLiteral("1")}, false);
    expectLeftAtOnce();
    EXPECT_EQ(settingsBytes(), settings);
}

TEST_F(KorvelProcess, DamagedSettingsDoNotStopTheRuleOrGetRewritten)
{
    const QByteArray settings = QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + "[Option]\nTimeAway=1\n"
        + "Unload=1\nCheckTime=junk\nLastUpdate=" + lastUpdateMinutesAgo(30) + "\n= =\n";
    writeSettings(settings);
    start({QStringLiteral("x"), QStringLiteral("Load"), QStringLiteral("1")}, false);
    expectLeftAtOnce();
    EXPECT_EQ(settingsBytes(), settings);
}

TEST_F(KorvelProcess, UnattendedStartWithTheUpdateFarOffStaysRunning)
{
    const QByteArray settings = "[Option]\nCheckTime=2\nTimeAway=4\nUnload=1\nLastUpdate="
        + lastUpdateMinutesAgo(30) + "\n";
    writeSettings(settings);
    start({QStringLiteral("Load"), QStringLiteral("1")}, true);
    EXPECT_TRUE(waitForStderr("korvel.status: Last update was on - " + lastUpdateMinutesAgo(30)))
        << stderrSeen.constData();
    QThread::msleep(1500);
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
    // Ended from outside: nothing was saved.
    EXPECT_EQ(settingsBytes(), settings);
}

TEST_F(KorvelProcess, WithoutADisplayAStartThatGoesOnSaysSo)
{
    writeSettings("[Option]\nUnload=1\nTimeAway=4\n");
    start({QStringLiteral("Load"), QStringLiteral("1")}, false);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(process.readAllStandardError().contains("no display"));
}

TEST_F(KorvelProcess, ALoadWordSpelledOtherwiseIsANormalStart)
{
    writeSettings("[Option]\nCheckTime=2\nTimeAway=1\nUnload=1\nLastUpdate=" + lastUpdateMinutesAgo(30) + "\n");
    start({QStringLiteral("/Load"), QStringLiteral("1")}, true);
    EXPECT_TRUE(waitForStderr("Last update was on - ")) << stderrSeen.constData();
    EXPECT_EQ(process.state(), QProcess::Running);
}
