// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {
// Settings Korvel may not read or write. Root reads and writes anything, so
// the program runs without the capabilities that let it.
class SettingsOutOfReach : public testing::Test
{
protected:
    SettingsOutOfReach()
    {
        QDir(home.path()).mkpath("Korvel");
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(kSaved) == kSaved.size());
    }
    ~SettingsOutOfReach() override
    {
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString folder() const { return home.filePath("Korvel"); }
    QString path() const { return home.filePath("Korvel/Korvel.ini"); }

    // Starts the window, ends it as a logout does, and returns what it said.
    QByteArray runAndEnd()
    {
        QProcess korvel;
        korvel.setProcessEnvironment(environmentWith({{"XDG_CONFIG_HOME", home.path()}, {"QT_QPA_PLATFORM", "offscreen"},
                                                      {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"},
                                                      {"QT_LOGGING_RULES", "korvel.tray.debug=true"}}));
        if (::geteuid() == 0)
            korvel.start("setpriv", {"--inh-caps=-dac_override,-dac_read_search,-sys_time",
                                     "--bounding-set=-dac_override,-dac_read_search,-sys_time", KORVEL_BINARY});
        else
            korvel.start(KORVEL_BINARY);
        korvel.setReadChannel(QProcess::StandardError);
        QByteArray errors;
        // The first tick's countdown in the tray tip shows the window has loaded.
        while (!errors.contains("Tool tip: Korvel - Next update is in") && korvel.waitForReadyRead(20000))
            errors += korvel.readAll();
        korvel.terminate();
        EXPECT_TRUE(korvel.waitForFinished(10000));
        return errors + korvel.readAll();
    }

    QByteArray saved() const
    {
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QByteArray kSaved = "[Option]\nCheckTime=5\nTimeZone=25\nConnection=Office\n";
    QTemporaryDir home;
};
} // namespace

TEST_F(SettingsOutOfReach, AnUnreadableFileIsSaidAndLeftAsItIs)
{
    QFile::setPermissions(path(), {});
    const QByteArray errors = runAndEnd();
    EXPECT_TRUE(errors.contains("korvel.status: Options not read: cannot read")) << errors.constData();
    EXPECT_EQ(saved(), kSaved);
}

TEST_F(SettingsOutOfReach, AReadOnlyFolderKeepsTheSavedOptionsAndSaysSo)
{
    QFile::setPermissions(path(), QFile::ReadOwner);
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray errors = runAndEnd();
    EXPECT_TRUE(errors.contains("korvel.status: Options not saved: cannot write")) << errors.constData();
    EXPECT_EQ(saved(), kSaved);
}
