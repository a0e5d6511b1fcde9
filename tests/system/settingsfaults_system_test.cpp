// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <array>
#include <functional>
#include <tuple>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
// The window on a settings file of the test's own, without a system bus.
// Root reads and writes anything, so the program runs without the
// capabilities that let it.
class SettingsOnDisk : public testing::Test
{
protected:
    SettingsOnDisk() { QDir(home.path()).mkpath("Korvel"); }
    ~SettingsOnDisk() override
    {
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    }

    QString folder() const { return home.filePath("Korvel"); }
    QString path() const { return home.filePath("Korvel/Korvel.ini"); }

    void write(const QByteArray& bytes) const
    {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray saved() const
    {
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    EnvironmentChanges environment() const
    {
        return {{"XDG_CONFIG_HOME", home.path()}, {"QT_QPA_PLATFORM", "offscreen"},
                {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"}, {"KORVEL_TEST_SITES", "http://127.0.0.1:9/"},
                {"QT_LOGGING_RULES", "korvel.tray.debug=true"}};
    }

    // Starts the window, runs `meanwhile` once it has loaded, ends it as a
    // logout does (which must end it as closing it does), and returns what it said.
    QByteArray runAndEnd(const std::function<void()>& meanwhile = {})
    {
        QProcess korvel;
        korvel.setProcessEnvironment(environmentWith(environment()));
        if (::geteuid() == 0)
            korvel.start("setpriv", {"--inh-caps=-dac_override,-dac_read_search,-sys_time",
                                     "--bounding-set=-dac_override,-dac_read_search,-sys_time", KORVEL_BINARY});
        else
            korvel.start(KORVEL_BINARY);
        QByteArray errors;
        // The first tick's countdown in the tray tip shows the window has loaded.
        EXPECT_TRUE(waitForError(korvel, errors, "Tool tip: Korvel - Next update is in")) << errors.constData();
        if (meanwhile)
            meanwhile();
        korvel.terminate();
        EXPECT_TRUE(korvel.waitForFinished(10000) && korvel.exitStatus() == QProcess::NormalExit);
        EXPECT_EQ(korvel.exitCode(), 0);
        return errors + korvel.readAll();
    }

    QTemporaryDir home;
};

// Inode, mode and size of the file as named and of what it leads to.
std::array<std::tuple<ino_t, mode_t, off_t>, 2> statusOf(const QString& path)
{
    struct stat named {}, target {};
    ::lstat(QFile::encodeName(path).constData(), &named);
    ::stat(QFile::encodeName(path).constData(), &target);
    return {{{named.st_ino, named.st_mode, named.st_size}, {target.st_ino, target.st_mode, target.st_size}}};
}
} // namespace

// An unreadable file, or a read-only folder Korvel cannot save into: said, and the options kept as they are.
TEST_F(SettingsOnDisk, AFileThatCannotBeReadOrWrittenIsSaidAndLeftAsItIs)
{
    const QByteArray kept = "[Option]\nCheckTime=5\nTimeZone=25\nConnection=Office\n";
    for (const bool readOnlyFolder : {false, true}) {
        write(kept);
        QFile::setPermissions(path(), readOnlyFolder ? QFile::ReadOwner : QFile::Permissions());
        if (readOnlyFolder)
            QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray errors = runAndEnd();
        EXPECT_TRUE(errors.contains(readOnlyFolder ? "korvel.status: Options not saved: cannot write"
                                                   : "korvel.status: Options not read: cannot read"))
            << errors.constData();
        EXPECT_EQ(saved(), kept) << readOnlyFolder;
    }
}

// Nothing that holds no options keeps Korvel waiting or fills its memory:
// said once, the defaults apply, and it is left as it is.
TEST_F(SettingsOnDisk, WhatIsNoSettingsFileIsSaidOnceAndLeftAsItIs)
{
    const struct
    {
        const char* name;
        std::function<bool(const QByteArray& path)> make;
    } cases[] = {
        {"a FIFO", [](const QByteArray& p) { return ::mkfifo(p.constData(), 0600) == 0; }},
        {"a link to a device of endless zeros",
         [](const QByteArray& p) {
             // Root's is a private copy: a Korvel that wrote through the
             // link would replace the machine's /dev/zero with its options.
             const QByteArray zero = ::geteuid() == 0 ? p + ".zero" : QByteArray("/dev/zero");
             return (::geteuid() != 0 || ::mknod(zero.constData(), S_IFCHR | 0666, makedev(1, 5)) == 0)
                 && ::symlink(zero.constData(), p.constData()) == 0;
         }},
        {"a sparse file of 1 GB", [](const QByteArray& p) {
             QFile file(QFile::decodeName(p));
             return file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30);
         }},
        {"a folder", [](const QByteArray& p) { return ::mkdir(p.constData(), 0700) == 0; }},
        {"a link to itself", [](const QByteArray& p) { return ::symlink(p.constData(), p.constData()) == 0; }},
    };
    for (const auto& c : cases) {
        const QByteArray file = QFile::encodeName(path());
        ::unlink(file.constData());
        ::rmdir(file.constData());
        ASSERT_TRUE(c.make(file)) << c.name;
        const auto before = statusOf(path());

        const ProgramRun status = runKorvel({"--status"}, environment());
        EXPECT_EQ(status.exitCode, 0) << c.name << status.err.toStdString();
        EXPECT_EQ(status.out.count("Options not read: cannot read"), 1) << c.name << status.out.toStdString();
        EXPECT_TRUE(status.out.contains("CheckTime=2, CheckAuto=0")) << c.name << status.out.toStdString();

        const QByteArray errors = runAndEnd();
        EXPECT_EQ(errors.count("Options not read: cannot read"), 1) << c.name << errors.constData();
        EXPECT_FALSE(errors.contains("Options not saved")) << c.name << errors.constData();
        EXPECT_EQ(statusOf(path()), before) << c.name;
    }
}

// Each kind of option, as written at start and as edited by hand while
// Korvel runs: the edit stays, whatever the spelling Korvel would write; one
// taken out by hand is written again as Korvel ends on a logout's signal.
TEST_F(SettingsOnDisk, AValueEditedWhileKorvelRunsStays)
{
    const struct
    {
        const char* key;
        const char* atStart;
        const char* edited;
    } cases[] = {
        {"Beep", "1", "0"},          {"CheckAuto", "01", "0"},    {"TimeZone", "03", "5"},
        {"CheckTime", "2.50", "7"}, {"TimeAway", "4", "9"},      {"Connection", "Office", "Home"},
        {"Unload", "1", nullptr},
    };
    QByteArray atStart = "[Option]\n";
    QByteArray edited = "[Option]\n";
    for (const auto& c : cases) {
        atStart += QByteArray(c.key) + '=' + c.atStart + '\n';
        if (c.edited)
            edited += QByteArray(c.key) + '=' + c.edited + '\n';
    }
    write(atStart);
    runAndEnd([&] {
        QFile::remove(path());
        write(edited);
    });
    const QSettings settings(path(), QSettings::IniFormat);
    for (const auto& c : cases)
        EXPECT_EQ(settings.value(QStringLiteral("Option/") + c.key).toString().toStdString(),
                  c.edited ? c.edited : c.atStart)
            << c.key;
}

// Without HOME, or with a relative XDG_CONFIG_HOME, which the XDG rules say
// to ignore, no folder of the user's is named: Korvel says so at once.
TEST_F(SettingsOnDisk, AreKeptOnlyWhereTheXdgRulesPutThem)
{
    const ProgramRun withoutHome = runKorvel({"--status"}, {{"HOME", {}}, {"XDG_CONFIG_HOME", {}}});
    EXPECT_TRUE(withoutHome.out.contains("Options cannot be kept: neither XDG_CONFIG_HOME nor HOME names a folder"))
        << withoutHome.out.toStdString();
    EXPECT_TRUE(withoutHome.out.contains("Options (not kept): Connection=")) << withoutHome.out.toStdString();
    const ProgramRun relative = runKorvel({"--status"}, {{"HOME", home.path()}, {"XDG_CONFIG_HOME", "Korvel"}});
    EXPECT_TRUE(relative.out.contains("Options (" + home.path() + "/.config/Korvel/Korvel.ini): "))
        << relative.out.toStdString();
}
