// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "loopbacktimeserver.h"

#include "timeclient/timeprotocol.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

namespace {
sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

qint64 monotonicUsec()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

quint16 boundPort(int socket)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}
} // namespace

LoopbackTimeServer::LoopbackTimeServer(std::chrono::milliseconds delay, qint64 offsetUsec)
    : m_delay(delay)
    , m_offsetUsec(offsetUsec)
{
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(0);
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
        && listen(m_listener, 8) == 0)
        m_port = boundPort(m_listener);
    m_thread = std::thread([this] { serve(); });
}

LoopbackTimeServer::~LoopbackTimeServer()
{
    m_stopping = true;
    m_thread.join();
    close(m_listener);
}

quint16 LoopbackTimeServer::refusingPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(0);
    bind(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const quint16 port = boundPort(probe);
    // Bound but never listening, then closed: connections to it are refused.
    close(probe);
    return port;
}

qint64 LoopbackTimeServer::utcNowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

void LoopbackTimeServer::resetQuestions()
{
    m_questions = 0;
    m_shortestGapUsec = std::numeric_limits<qint64>::max();
}

void LoopbackTimeServer::serve()
{
    while (!m_stopping) {
        // Wakes now and then to notice the end.
        pollfd waiting{m_listener, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        const qint64 now = monotonicUsec();
        if (m_questions++ > 0)
            m_shortestGapUsec = std::min(m_shortestGapUsec.load(), now - m_lastQuestionUsec.load());
        m_lastQuestionUsec = now;
        answer(connection);
    }
}

void LoopbackTimeServer::answer(int connection)
{
    std::this_thread::sleep_for(m_delay);
    const qint64 serverUsec = utcNowUsec() + m_offsetUsec;
    // The seconds that have begun, as every RFC 868 server sends them.
    const qint64 wholeSeconds = serverUsec / 1'000'000;
    std::this_thread::sleep_for(m_delay);
    uchar bytes[4];
    qToBigEndian(quint32(wholeSeconds + TimeProtocol::kEpochDifference), bytes);
    m_lastSentUsec = utcNowUsec();
    send(connection, bytes, sizeof bytes, MSG_NOSIGNAL);
    close(connection);
}

void LoopbackTimeServer::bareExchange(quint16 port)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    char answer[4];
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        static_cast<void>(::recv(socket, answer, sizeof answer, MSG_WAITALL));
    ::close(socket);
}
