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

// The built program with its settings in a private XDG_CONFIG_HOME and no
// display unless it is given Qt's offscreen one.
class KorvelProcess : public testing::Test
{
protected:
    ~KorvelProcess() override
    {
        process.kill();
        process.waitForFinished(5000);
    }

    // Update every 2 hours, the last one half an hour ago.
    static QByteArray options(const QByteArray& timeAway)
    {
        const double halfHourAgo = DateSerial::addMinutes(Clock::instance().nowSerial(), -30);
        return "[Option]\nCheckTime=2\nUnload=1\nTimeAway=" + timeAway
            + "\nLastUpdate=" + GeneralDate::format(halfHourAgo).toUtf8() + "\n";
    }

    QByteArray settings() const
    {
        QFile file(home.filePath(QStringLiteral("Korvel/Korvel.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void start(const QByteArray& settingsBytes, bool offscreen = false)
    {
        QDir(home.path()).mkpath(QStringLiteral("Korvel"));
        QFile file(home.filePath(QStringLiteral("Korvel/Korvel.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(settingsBytes) == settingsBytes.size());
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        if (offscreen)
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KORVEL_BINARY), {QStringLiteral("x"), QStringLiteral("Load"), QStringLiteral("1")});
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    QTemporaryDir home;
    QProcess process;
};

} // namespace

TEST_F(KorvelProcess, UnattendedStartLeavesAtOnceWithoutADisplayOrAWrite)
{
    const QByteArray damaged = QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + options("1") + "= =\n";
    for (const QByteArray& bytes : {options("1"), damaged}) {
        start(bytes);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        EXPECT_TRUE(process.readAll().isEmpty());
        EXPECT_TRUE(process.readAllStandardError().isEmpty());
        EXPECT_EQ(settings(), bytes);
    }
}

TEST_F(KorvelProcess, UnattendedStartWithTheUpdateFarOffStaysRunningHidden)
{
    const QByteArray bytes = options("4");
    start(bytes, true);
    process.setReadChannel(QProcess::StandardError);
    QByteArray errors;
    while (!errors.contains("korvel.status: Last update was on - ") && process.waitForReadyRead(10000))
        errors += process.readAll();
    EXPECT_TRUE(errors.contains("korvel.status: Last update was on - ")) << errors.constData();
    QThread::msleep(1500);
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
    // Ended from outside: nothing was saved.
    EXPECT_EQ(settings(), bytes);
}
