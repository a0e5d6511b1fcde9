// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessioninstance.h"

#include "app/applog.h"
#include "base/eventslice.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include <cstring>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A running Korvel answers at once unless it is stuck; a stuck one cannot
// keep the clock, so this start then runs itself.
constexpr int kAnswerMsecs = 10000;
} // namespace

QString SessionInstance::socketPath(const QString& settingsFile)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray settings = QFile::encodeName(QFileInfo(settingsFile).absoluteFilePath());
    const QByteArray key = QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("%1/korvel-%2-%3").arg(folder).arg(::getuid()).arg(QString::fromLatin1(key));
}

bool SessionInstance::handOver(const QString& socketPath, Request request)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // Nothing there, or what a Korvel that ended left behind: refused.
    bool taken = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const char asked = char(request);
        char answer = 0;
        taken = ::write(fd, &asked, 1) == 1 && (EventSlice::waitForDescriptor(fd, POLLIN, kAnswerMsecs) & POLLIN)
            && ::read(fd, &answer, 1) == 1 && answer == asked;
        if (!taken)
            qCWarning(lcApp) << "The running Korvel did not answer; this one starts as well";
    }
    ::close(fd);
    return taken;
}

bool SessionInstance::listen(const QString& socketPath)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SessionInstance::takeConnections);
    if (m_server.listen(socketPath))
        return true;
    // handOver found nobody listening: a Korvel that ended left its socket.
    QLocalServer::removeServer(socketPath);
    if (m_server.listen(socketPath))
        return true;
    qCWarning(lcApp).noquote() << "Later starts cannot hand over to this Korvel:" << m_server.errorString();
    return false;
}

void SessionInstance::setShowWindow(std::function<void()> showWindow)
{
    m_showWindow = std::move(showWindow);
    if (std::exchange(m_showPending, false))
        m_showWindow();
}

void SessionInstance::takeConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            char request = 0;
            if (!socket->getChar(&request))
                return;
            serve(request);
            socket->putChar(request);
            socket->flush();
        });
    }
}

void SessionInstance::serve(char request)
{
    if (request != char(Request::ShowWindow)) {
        qCInfo(lcApp) << "An unattended start handed over to this Korvel, which goes on as it is";
        return;
    }
    qCInfo(lcApp) << "Another start handed over to this Korvel, which shows its window";
    if (m_showWindow)
        m_showWindow();
    else
        m_showPending = true;
}
