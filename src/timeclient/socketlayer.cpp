// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/socketlayer.h"

#include "base/eventslice.h"
#include "timeclient/timeclientlog.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <limits>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr rlim_t kMinSockets = 4;
// A name look-up has no limit of its own: the resolver's time-outs apply.
constexpr int kUnlimitedMsecs = std::numeric_limits<int>::max();

std::vector<SocketLayer::Address> resolve(const QByteArray& host, const QByteArray& service, int flags)
{
    addrinfo hints{};
    // No AI_ADDRCONFIG: it hides ::1 from a machine without a global IPv6 address.
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | flags;
    addrinfo* found = nullptr;
    std::vector<SocketLayer::Address> addresses;
    if (::getaddrinfo(host.constData(), service.constData(), &hints, &found) != 0)
        return addresses;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        SocketLayer::Address address;
        address.length = std::min<socklen_t>(entry->ai_addrlen, sizeof address.storage);
        std::memcpy(&address.storage, entry->ai_addr, address.length);
        addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    return addresses;
}
} // namespace

SocketLayer::~SocketLayer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool SocketLayer::StartSockets()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        m_lastError = errno;
        return false;
    }
    if (limit.rlim_cur < kMinSockets) {
        m_lastError = EMFILE;
        qCWarning(lcTimeClient).noquote()
            << QStringLiteral("Not enough WinSockets are available on this machine.  ")
                   + QString::number(limit.rlim_cur)
                   + QStringLiteral("Please check you systems configuration. cannot run until this is corrected.");
        return false;
    }
    return true;
}

bool SocketLayer::EndSockets()
{
    if (m_socket < 0)
        return true;
    const bool closed = ::close(m_socket) == 0;
    if (!closed)
        m_lastError = errno;
    m_socket = -1;
    return closed;
}

std::vector<SocketLayer::Address> SocketLayer::ResolveHost(const QString& name, quint16 port)
{
    const QByteArray host = name.toLocal8Bit();
    const QByteArray service = QByteArray::number(port);
    // An address in text needs no resolver and so no wait.
    if (std::vector<Address> numeric = resolve(host, service, AI_NUMERICHOST); !numeric.empty())
        return numeric;
    // A slow resolver answers on its own thread, so the window keeps painting.
    auto lookup = std::async(std::launch::async, [host, service] { return resolve(host, service, 0); });
    const auto ready = [&] { return lookup.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    EventSlice::waitUntil(ready, kUnlimitedMsecs,
                          [&](int msecs) { lookup.wait_for(std::chrono::milliseconds(msecs)); });
    return lookup.get();
}

QString SocketLayer::AddressToText(const Address& address)
{
    char text[INET6_ADDRSTRLEN] = {};
    const int family = address.storage.ss_family;
    const void* raw = family == AF_INET6
        ? static_cast<const void*>(&reinterpret_cast<const sockaddr_in6*>(&address.storage)->sin6_addr)
        : static_cast<const void*>(&reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_addr);
    if (!::inet_ntop(family, raw, text, sizeof text))
        return kUnresolved;
    return QString::fromLatin1(text);
}

int SocketLayer::CreateSocket(const Address& address)
{
    if (m_socket >= 0)
        ::close(m_socket);
    const int family = address.storage.ss_family;
    m_socket = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        m_lastError = errno;
        return -1;
    }
    // All zero is port 0 on the family's any-address.
    sockaddr_storage local{};
    local.ss_family = sa_family_t(family);
    const socklen_t length = family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in);
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), length) != 0) {
        m_lastError = errno;
        return -1;
    }
    return 0;
}

int SocketLayer::ConnectSocket(const Address& address, int timeoutMsecs)
{
    const int flags = ::fcntl(m_socket, F_GETFL);
    if (flags < 0 || ::fcntl(m_socket, F_SETFL, flags | O_NONBLOCK) != 0) {
        m_lastError = errno;
        return -1;
    }
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0)
        return m_socket;
    if (errno != EINPROGRESS) {
        m_lastError = errno;
        return -1;
    }
    const int ready = EventSlice::waitForDescriptor(m_socket, POLLOUT, timeoutMsecs);
    if (ready <= 0) {
        m_lastError = ready == 0 ? ETIMEDOUT : errno;
        return -1;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        m_lastError = error ? error : errno;
        return -1;
    }
    return m_socket;
}

QByteArray SocketLayer::ReceiveData(int socket, int enoughBytes, int timeoutMsecs)
{
    QByteArray received;
    bool ended = false;
    bool failed = false;
    const auto take = [&](int msecs) {
        pollfd entry{socket, POLLIN, 0};
        if (::poll(&entry, 1, msecs) <= 0)
            return; // nothing yet, or a signal: the deadline decides
        char buffer[kReceiveBufferSize];
        const ssize_t count = ::recv(socket, buffer, size_t(kReceiveBufferSize - received.size()), 0);
        if (count < 0 && errno == EINTR)
            return;
        failed = count < 0;
        if (failed)
            m_lastError = errno;
        else
            received.append(buffer, count);
        ended = count <= 0 || received.size() >= enoughBytes;
    };
    // What came while the process could not look (stopped, suspended) is
    // taken too: whoever asked judges an answer by when it arrived.
    if (!EventSlice::waitUntil([&] { return ended; }, timeoutMsecs, take))
        take(0);
    return failed ? QByteArray() : received;
}

void SocketLayer::CloseSocket(int socket)
{
    ::close(socket);
    if (socket == m_socket)
        m_socket = -1;
}
