// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "korvelprogram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The program started with "Load 1" and its settings in a private
// XDG_CONFIG_HOME, with no display.
class UnattendedStart : public testing::Test
{
protected:
    UnattendedStart() { QDir(home.path()).mkpath("Korvel"); }

    // Update every 2 hours, the last one half an hour ago.
    static QByteArray options(const QByteArray& timeAway)
    {
        const double halfHourAgo = DateSerial::addMinutes(Clock::instance().nowSerial(), -30);
        return "[Option]\nCheckTime=2\nUnload=1\nTimeAway=" + timeAway
            + "\nLastUpdate=" + GeneralDate::format(halfHourAgo).toUtf8() + "\n";
    }

    QByteArray settings() const
    {
        QFile file(home.filePath("Korvel/Korvel.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // No display unless a Qt platform is named.
    EnvironmentChanges withSettings(const QByteArray& bytes, const char* platform = nullptr) const
    {
        QFile file(home.filePath("Korvel/Korvel.ini"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return {{"DISPLAY", {}}, {"WAYLAND_DISPLAY", {}}, {"QT_QPA_PLATFORM", QLatin1String(platform)},
                {"XDG_CONFIG_HOME", home.path()}};
    }

    const QStringList load{"x", "Load", "1"};
    QTemporaryDir home;
};

} // namespace

TEST_F(UnattendedStart, LeavesAtOnceWithoutADisplayOrAWrite)
{
    const QByteArray damaged = QByteArray("\xff\xfe\x00garbage\n[Opt\n", 16) + options("1") + "= =\n";
    for (const QByteArray& bytes : {options("1"), damaged}) {
        const ProgramRun run = runKorvel(load, withSettings(bytes));
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.isEmpty() && run.err.isEmpty()) << run.err.toStdString();
        EXPECT_EQ(settings(), bytes);
    }
}

TEST_F(UnattendedStart, WithTheUpdateFarOffItStaysHiddenAndTakesOverALaterStart)
{
    // A last update that still reads as a date but is longer than the
    // environment of a new program may hold.
    QByteArray bytes = options("4");
    bytes.insert(bytes.indexOf(' ', bytes.indexOf("LastUpdate=")), QByteArray(140 * 1024, ' '));
    QProcess process;
    startKorvel(process, load, withSettings(bytes, "offscreen"));
    QByteArray errors;
    ASSERT_TRUE(waitForError(process, errors, "korvel.status: Last update was on - ")) << errors.left(2000).constData();

    // A start from the menu meanwhile: the running Korvel shows its window.
    const ProgramRun second = runKorvel({}, withSettings(bytes, "offscreen"));
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(
        waitForError(process, errors, "korvel.app: Another start handed over to this Korvel, which shows its window"))
        << errors.left(2000).constData();
    EXPECT_EQ(process.state(), QProcess::Running);
    process.kill();
    process.waitForFinished(5000);
    // Ended from outside: nothing was saved.
    EXPECT_EQ(settings(), bytes);
}
