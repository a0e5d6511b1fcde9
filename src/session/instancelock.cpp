// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/instancelock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstanceLock::~InstanceLock()
{
    release();
}

InstanceLock::Outcome InstanceLock::tryTake(int folderFd, const QByteArray& name)
{
    release();
    const int fd = ::openat(folderFd, name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return Outcome::Failed;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Outcome::HeldElsewhere : Outcome::Failed;
    }
    // The holder removes the file before it lets go: a start that opened it
    // just before then holds a lock on a file nobody else can reach, while
    // the next start makes a new one. Only the file under the name counts.
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) != 0 || ::fstatat(folderFd, name.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0
        || held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        ::close(fd);
        return Outcome::HeldElsewhere;
    }
    m_fd = fd;
    m_folderFd = folderFd;
    m_name = name;
    return Outcome::Taken;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    ::unlinkat(m_folderFd, m_name.constData(), 0);
    ::close(m_fd);
    m_fd = -1;
}
