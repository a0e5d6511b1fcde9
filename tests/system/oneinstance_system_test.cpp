// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "korvelprogram.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <vector>

#include <poll.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kLoaded = "korvel.status: Last update was on - ";
const QByteArray kHandedOver = "korvel.app: Another start handed over to this Korvel, which shows its window";

// Another user, who listens where a Korvel might look and notes who asks.
const char* const kSquatter = R"(
import os, socket, sys
folder, predicted = sys.argv[1], sys.argv[2]
os.mkdir(folder)
os.chmod(folder, 0o777)
listener = socket.socket(socket.AF_UNIX)
listener.bind(predicted)
os.chmod(predicted, 0o777)
listener.listen(64)
print("ready", flush=True)
held = []
while True:
    held.append(listener.accept()[0])
    print("asked", flush=True)
)";

// A connection to the socket at `path`, or -1; waits at most 5 s.
int connectTo(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), std::min(size_t(path.size()), sizeof address.sun_path - 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}

// The process's peak resident memory, in kB.
qint64 peakMemory(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    return QRegularExpression(R"(VmHWM:\s*(\d+))").match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// Which of two programs ended first, or null when both still run.
QProcess* firstToEnd(QProcess& a, QProcess& b, int msecs)
{
    QElapsedTimer waited;
    waited.start();
    while (!waited.hasExpired(msecs)) {
        for (QProcess* process : {&a, &b}) {
            process->waitForFinished(25);
            if (process->state() == QProcess::NotRunning)
                return process;
        }
    }
    return nullptr;
}

// Korvel's window on settings and a runtime folder of the test's own, with no system bus.
class OneKorvel : public testing::Test
{
protected:
    OneKorvel()
    {
        QDir(home.path()).mkpath("config/Korvel");
        QDir(home.path()).mkpath("runtime");
    }

    QString config() const { return home.filePath("config"); }
    QString runtime() const { return home.filePath("runtime"); }

    QProcessEnvironment environment(const QString& runtimeFolder, const QString& configFolder) const
    {
        return environmentWith({{"XDG_CONFIG_HOME", configFolder}, {"XDG_RUNTIME_DIR", runtimeFolder},
                                {"QT_QPA_PLATFORM", "offscreen"}, {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent"}});
    }
    static void start(QProcess& korvel, const QProcessEnvironment& environment)
    {
        korvel.setProcessEnvironment(environment);
        korvel.start(KORVEL_BINARY);
    }
    // Ends it as a logout does.
    static void end(QProcess& korvel)
    {
        korvel.terminate();
        EXPECT_TRUE(korvel.waitForFinished(10000));
    }

    QTemporaryDir home;
};

} // namespace

TEST_F(OneKorvel, OfTwoStartsAtTheSameMomentOneRunsAndTakesTheOther)
{
    const QString longRuntime = home.filePath(QString(119 - home.path().size() - 1, u'r'));
    ASSERT_TRUE(QDir().mkpath(longRuntime));
    ASSERT_TRUE(QFile::link(config(), home.filePath("linked-config")));
    const struct
    {
        const char* name;
        QString runtime;
        QString secondConfig;
    } cases[] = {
        {"the same settings", runtime(), config()},
        {"a runtime path of 119 characters", longRuntime, config()},
        {"the settings folder through a link", runtime(), home.filePath("linked-config")},
    };
    for (const auto& c : cases) {
        for (int round = 0; round < 3; ++round) {
            QProcess first;
            QProcess second;
            start(first, environment(c.runtime, config()));
            start(second, environment(c.runtime, c.secondConfig));
            QProcess* ended = firstToEnd(first, second, 20000);
            ASSERT_NE(ended, nullptr) << c.name << ": two copies run";
            EXPECT_EQ(ended->exitCode(), 0) << c.name << ended->readAllStandardError().constData();
            QProcess& running = ended == &first ? second : first;
            QByteArray errors;
            EXPECT_TRUE(waitForError(running, errors, kHandedOver)) << c.name << errors.constData();
            end(running);
            // The socket and the lock go with it.
            EXPECT_EQ(QDir(c.runtime).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList())
                << c.name;
        }
    }
}

TEST_F(OneKorvel, AnotherUsersSquatterInTheTemporaryFolderIsNeverAsked)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can act as another user";
    if (!getpwnam("korvel-desktop"))
        QProcess::execute("useradd", {"--system", "--user-group", "--no-create-home", "--shell", "/usr/sbin/nologin",
                                      "korvel-desktop"});
    const passwd* other = getpwnam("korvel-desktop");
    ASSERT_NE(other, nullptr);
    // Without a runtime folder Korvel looks in the temporary folder, where
    // anybody may take a name first: the folder it would make, and a
    // socket named after the settings file.
    QTemporaryDir shared;
    ::chmod(QFile::encodeName(shared.path()).constData(), 01777);
    const QString folder = shared.filePath(QStringLiteral("korvel-%1").arg(::geteuid()));
    const QByteArray settingsKey =
        QCryptographicHash::hash(QFile::encodeName(config() + "/Korvel/Korvel.ini"), QCryptographicHash::Sha1).toHex();
    const QString predicted = shared.filePath(QStringLiteral("korvel-%1-").arg(::geteuid()) + settingsKey.left(16));
    QProcess squatter;
    squatter.start("setpriv", {"--reuid", QString::number(other->pw_uid), "--regid", QString::number(other->pw_gid),
                               "--clear-groups", "/usr/bin/python3", "-c", kSquatter, folder, predicted});
    ASSERT_TRUE(squatter.waitForReadyRead(10000)) << squatter.readAllStandardError().constData();

    QProcessEnvironment withoutRuntime = environment(runtime(), config());
    withoutRuntime.remove("XDG_RUNTIME_DIR");
    withoutRuntime.insert("TMPDIR", shared.path());
    QProcess korvel;
    start(korvel, withoutRuntime);
    QByteArray errors;
    ASSERT_TRUE(waitForError(korvel, errors, kLoaded)) << errors.constData();
    EXPECT_TRUE(errors.contains(QFile::encodeName(folder) + " belongs to another user")) << errors.constData();
    // Later starts still meet it, in a folder of the user's own.
    QProcess later;
    start(later, withoutRuntime);
    EXPECT_TRUE(later.waitForFinished(20000) && later.exitCode() == 0) << later.readAllStandardError().constData();
    EXPECT_TRUE(waitForError(korvel, errors, kHandedOver)) << errors.constData();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList());
    end(korvel);
    squatter.kill();
    squatter.waitForFinished(5000);
    EXPECT_EQ(squatter.readAllStandardOutput().toStdString(), "ready\n");
}

TEST_F(OneKorvel, AFloodAndAThousandIdleConnectionsCostItLittleAndLaterStartsStillHandOver)
{
    QProcess korvel;
    // The descriptor limit a desktop session gives.
    korvel.setChildProcessModifier([] {
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_NOFILE, &limit);
    });
    // Measured from the end of the start on, which its logged steps tell.
    QProcessEnvironment steps = environment(runtime(), config());
    steps.insert("QT_LOGGING_RULES", "korvel.app.debug=true");
    start(korvel, steps);
    QByteArray errors;
    ASSERT_TRUE(waitForError(korvel, errors, "start step first events handled")) << errors.constData();
    // The only entry of its runtime folder that is no plain file.
    const QByteArray socket = QFile::encodeName(runtime() + u'/' + QDir(runtime()).entryList(QDir::System).value(0));
    const qint64 peakBefore = peakMemory(korvel.processId());

    const int flood = connectTo(socket);
    ASSERT_GE(flood, 0) << socket.constData();
    const QByteArray chunk(64 * 1024, 'w');
    qint64 sent = 0;
    bool cutOff = false;
    for (pollfd writable{flood, POLLOUT, 0}; !cutOff && sent < 64 * 1024 * 1024 && ::poll(&writable, 1, 5000) > 0;) {
        const ssize_t count = ::send(flood, chunk.constData(), size_t(chunk.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        cutOff = count < 0 && errno != EAGAIN;
        sent += std::max<ssize_t>(count, 0);
    }
    ::close(flood);
    EXPECT_TRUE(cutOff) << sent << " bytes taken";

    std::vector<int> idle;
    for (int i = 0; i < 1000; ++i)
        idle.push_back(connectTo(socket));
    QProcess later;
    start(later, environment(runtime(), config()));
    EXPECT_TRUE(later.waitForFinished(20000) && later.exitCode() == 0) << later.readAllStandardError().constData();
    EXPECT_TRUE(waitForError(korvel, errors, kHandedOver)) << errors.constData();
    EXPECT_LT(QDir(QStringLiteral("/proc/%1/fd").arg(korvel.processId())).count(), 100u);
    EXPECT_LT(peakMemory(korvel.processId()) - peakBefore, 16 * 1024);
    for (const int fd : idle)
        ::close(fd);
    end(korvel);
}
