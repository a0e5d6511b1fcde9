// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/sessioninstance.h"

#include "base/eventslice.h"
#include "session/applog.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A running Korvel answers once its window has loaded, within moments
// unless it is stuck; a stuck one is still the running one.
constexpr int kAnswerMsecs = 10000;
// How often a later start looks again while the lock's holder gets ready.
constexpr useconds_t kRetryMicros = 20000;

// Short whatever the folder names, and the same through any link.
QByteArray instanceName(const QString& settingsFile)
{
    std::error_code error;
    const std::filesystem::path real =
        std::filesystem::weakly_canonical(std::filesystem::path(QFile::encodeName(settingsFile).toStdString()), error);
    const QByteArray path = error ? QFile::encodeName(settingsFile) : QByteArray::fromStdString(real.string());
    return "korvel-" + QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().left(16);
}
} // namespace

SessionInstance::SessionInstance(const QString& settingsFile)
    : m_folder(InstanceFolder::openPrivate(settingsFile.isEmpty() ? QString() : QFileInfo(settingsFile).path()))
    , m_name(instanceName(settingsFile))
{
}

SessionInstance::Claim SessionInstance::claim(Request request)
{
    if (!m_folder.isOpen()) {
        qCWarning(lcApp).noquote() << "Cannot tell whether Korvel runs already:" << m_folder.problem() + ';'
                                   << "this one runs";
        return Claim::Run;
    }
    const QDeadlineTimer deadline(kAnswerMsecs);
    for (;;) {
        switch (m_lock.tryTake(m_folder.descriptor(), m_name + ".lock")) {
        case InstanceLock::Outcome::Taken:
            m_messenger.listen(m_folder, m_name + ".socket");
            return Claim::Run;
        case InstanceLock::Outcome::Failed:
            qCWarning(lcApp).noquote() << "Cannot tell whether Korvel runs already: cannot lock a file in its"
                                       << "folder (" + QString::fromLocal8Bit(std::strerror(errno))
                    + "); this one runs";
            return Claim::Run;
        case InstanceLock::Outcome::HeldElsewhere:
            break;
        }
        if (askRunning(request, int(deadline.remainingTime())))
            return Claim::HandedOver;
        if (deadline.hasExpired()) {
            qCWarning(lcApp) << "The running Korvel did not answer within" << kAnswerMsecs / 1000
                             << "s; this start ends";
            return Claim::NotAnswered;
        }
        ::usleep(kRetryMicros);
    }
}

bool SessionInstance::askRunning(Request request, int waitMsecs) const
{
    const QByteArray address = m_folder.reach(m_name + ".socket");
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    std::memcpy(socketAddress.sun_path, address.constData(),
                std::min(size_t(address.size()), sizeof socketAddress.sun_path - 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // Not there yet, or the queue is full: the caller looks again.
    bool taken = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress) == 0
        && InstanceMessenger::isThisUser(fd)) {
        const char asked = char(request);
        char answer = 0;
        taken = ::send(fd, &asked, 1, MSG_NOSIGNAL) == 1
            && (EventSlice::waitForDescriptor(fd, POLLIN, waitMsecs) & POLLIN) && ::read(fd, &answer, 1) == 1
            && answer == asked;
    }
    ::close(fd);
    return taken;
}

void SessionInstance::serveLaterStarts()
{
    m_messenger.start([this](char request) { return serve(request); });
}

void SessionInstance::setShowWindow(std::function<void()> showWindow)
{
    m_showWindow = std::move(showWindow);
    if (std::exchange(m_showPending, false))
        m_showWindow();
}

void SessionInstance::release()
{
    m_messenger.close();
    m_lock.release();
}

bool SessionInstance::serve(char request)
{
    if (request == char(Request::Unattended)) {
        qCInfo(lcApp) << "An unattended start handed over to this Korvel, which goes on as it is";
        return true;
    }
    if (request != char(Request::ShowWindow))
        return false;
    qCInfo(lcApp) << "Another start handed over to this Korvel, which shows its window";
    if (m_showWindow)
        m_showWindow();
    else
        m_showPending = true;
    return true;
}
