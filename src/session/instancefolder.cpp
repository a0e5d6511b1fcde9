// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/instancefolder.h"

#include "session/applog.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whoever may add, remove or rename entries may take the lock's place.
constexpr mode_t kOthersWrite = S_IWGRP | S_IWOTH;

// The folder at `path` when it is the user's and nobody else may change
// what it holds; -1 and the reason otherwise.
int openOwnFolder(const QString& path, bool followLink, QString& problem)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        problem = QStringLiteral("cannot open %1 (%2)").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || status.st_uid != ::geteuid())
        problem = QStringLiteral("%1 belongs to another user").arg(path);
    else if ((status.st_mode & kOthersWrite) != 0)
        problem = QStringLiteral("%1 is open to other users").arg(path);
    if (problem.isEmpty())
        return fd;
    ::close(fd);
    return -1;
}

int makeOwnFolder(const QString& path, QString& problem)
{
    ::mkdir(QFile::encodeName(path).constData(), S_IRWXU);
    return openOwnFolder(path, false, problem);
}

} // namespace

InstanceFolder::InstanceFolder(int fd, QString problem)
    : m_fd(fd)
    , m_problem(std::move(problem))
{
}

InstanceFolder::InstanceFolder(InstanceFolder&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_problem(std::move(other.m_problem))
{
}

InstanceFolder::~InstanceFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

InstanceFolder InstanceFolder::openPrivate(const QString& settingsFolder)
{
    QString problem;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime)) {
        if (const int fd = openOwnFolder(runtime, true, problem); fd >= 0)
            return {fd, {}};
    }
    // Anybody may take a name under the temporary folder first: a folder
    // or link there that is not the user's is refused, never followed.
    const QString temporary = QDir::tempPath() + QStringLiteral("/korvel-%1").arg(::geteuid());
    problem.clear();
    if (const int fd = makeOwnFolder(temporary, problem); fd >= 0)
        return {fd, {}};
    if (!settingsFolder.isEmpty()) {
        QString settingsProblem;
        if (const int fd = makeOwnFolder(settingsFolder, settingsProblem); fd >= 0) {
            qCWarning(lcApp).noquote() << problem + QStringLiteral("; Korvel meets its later starts in")
                                       << settingsFolder;
            return {fd, {}};
        }
    }
    return {-1, problem};
}

QByteArray InstanceFolder::reach(const QByteArray& name) const
{
    return "/proc/self/fd/" + QByteArray::number(m_fd) + '/' + name;
}
