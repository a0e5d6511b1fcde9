// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/instancemessenger.h"

#include "session/applog.h"
#include "session/instancefolder.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A later start sends its byte right after connecting.
constexpr int kIdleMsecs = 1000;
// Later starts come one at a time; beyond this the oldest is dropped.
constexpr std::size_t kMostPeers = 8;
// Connections taken per wake-up, so a stream of them cannot hold the window.
constexpr int kAcceptsPerWake = 64;
// A shortage of descriptors lasts a moment, at worst until idle peers go.
constexpr int kPauseMsecs = 200;
} // namespace

bool InstanceMessenger::isThisUser(int fd)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::geteuid();
}

InstanceMessenger::~InstanceMessenger()
{
    close();
}

bool InstanceMessenger::listen(const InstanceFolder& folder, const QByteArray& name)
{
    const QByteArray address = folder.reach(name);
    const int folderFd = folder.descriptor();
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    std::memcpy(socketAddress.sun_path, address.constData(),
                std::min(size_t(address.size()), sizeof socketAddress.sun_path - 1));
    ::unlinkat(folderFd, name.constData(), 0);
    m_listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const auto* bound = reinterpret_cast<const sockaddr*>(&socketAddress);
    if (m_listenFd < 0 || ::bind(m_listenFd, bound, sizeof socketAddress) != 0
        || ::listen(m_listenFd, int(kMostPeers)) != 0) {
        qCWarning(lcApp).noquote() << "Later starts cannot hand over to this Korvel:" << std::strerror(errno);
        if (m_listenFd >= 0)
            ::close(std::exchange(m_listenFd, -1));
        return false;
    }
    m_folderFd = folderFd;
    m_name = name;
    return true;
}

void InstanceMessenger::start(Serve serve)
{
    if (m_listenFd < 0)
        return;
    m_serve = std::move(serve);
    m_listening = std::make_unique<QSocketNotifier>(m_listenFd, QSocketNotifier::Read);
    connect(m_listening.get(), &QSocketNotifier::activated, this, &InstanceMessenger::acceptWaiting);
    m_idleCheck.setInterval(kIdleMsecs / 2);
    connect(&m_idleCheck, &QTimer::timeout, this, &InstanceMessenger::dropIdle);
    acceptWaiting();
}

void InstanceMessenger::close()
{
    while (!m_peers.empty())
        drop(m_peers.front().fd);
    m_listening.reset();
    if (m_listenFd < 0)
        return;
    ::close(std::exchange(m_listenFd, -1));
    ::unlinkat(m_folderFd, m_name.constData(), 0);
}

void InstanceMessenger::acceptWaiting()
{
    for (int taken = 0; taken < kAcceptsPerWake; ++taken) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                pauseListening();
            return;
        }
        if (!isThisUser(fd)) {
            ::close(fd);
            continue;
        }
        if (m_peers.size() >= kMostPeers)
            drop(m_peers.front().fd);
        Peer& peer = m_peers.emplace_back();
        peer.fd = fd;
        peer.since.start();
        peer.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(peer.notifier.get(), &QSocketNotifier::activated, this, [this, fd] { readRequest(fd); });
        m_idleCheck.start();
    }
}

void InstanceMessenger::pauseListening()
{
    qCWarning(lcApp).noquote() << "Later starts wait: cannot take their connections:" << std::strerror(errno);
    m_listening->setEnabled(false);
    QTimer::singleShot(kPauseMsecs, this, [this] {
        if (m_listening)
            m_listening->setEnabled(true);
    });
}

void InstanceMessenger::readRequest(int fd)
{
    char bytes[2] = {};
    const ssize_t received = ::recv(fd, bytes, sizeof bytes, MSG_DONTWAIT);
    if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    // One byte and nothing after it; anything else is not a later start.
    if (received == 1 && m_serve && m_serve(bytes[0])) {
        [[maybe_unused]] const ssize_t answered = ::send(fd, bytes, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    drop(fd);
}

void InstanceMessenger::drop(int fd)
{
    const auto peer = std::find_if(m_peers.begin(), m_peers.end(), [fd](const Peer& p) { return p.fd == fd; });
    if (peer == m_peers.end())
        return;
    // It may be the notifier whose signal runs now.
    peer->notifier->setEnabled(false);
    peer->notifier.release()->deleteLater();
    ::close(fd);
    m_peers.erase(peer);
    if (m_peers.empty())
        m_idleCheck.stop();
}

void InstanceMessenger::dropIdle()
{
    while (!m_peers.empty() && m_peers.front().since.hasExpired(kIdleMsecs))
        drop(m_peers.front().fd);
}
