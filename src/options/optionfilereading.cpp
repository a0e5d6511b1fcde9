// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "options/optionfilereading.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace OptionFileReading {

namespace {
QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Up to one byte past the limit, so that a file that grew shows it.
QString readAll(int fd, QByteArray& bytes)
{
    bytes.resize(kMostBytes + 1);
    qint64 total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return systemError();
        if (got == 0)
            break;
        total += got;
    }
    bytes.truncate(total);
    return total > kMostBytes ? QCoreApplication::translate("Options", "larger than 1 MiB") : QString();
}
} // namespace

Reading read(const QString& path)
{
    Reading reading;
    // Opening a FIFO without O_NONBLOCK waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reading.exists = errno != ENOENT;
        if (reading.exists)
            reading.damage = systemError();
        return reading;
    }
    reading.exists = true;
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        reading.damage = systemError();
    else if (!S_ISREG(status.st_mode))
        reading.damage = QCoreApplication::translate("Options", "not a plain file");
    else if (status.st_size > kMostBytes)
        reading.damage = QCoreApplication::translate("Options", "larger than 1 MiB");
    else
        reading.damage = readAll(fd, reading.bytes);
    ::close(fd);
    if (!reading.damage.isEmpty())
        reading.bytes.clear();
    return reading;
}

} // namespace OptionFileReading
