// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "loopbacktimeserver.h"

#include "base/clock.h"
#include "timeclient/timeprotocol.h"

#include <QTimeZone>
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
// The loopback address of the family, at `port`.
sockaddr_storage loopback(LoopbackTimeServer::Loopback family, quint16 port, socklen_t& length)
{
    sockaddr_storage address{};
    if (family == LoopbackTimeServer::Loopback::IPv6) {
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(port);
        v6.sin6_addr = in6addr_loopback;
        length = sizeof v6;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_port = htons(port);
        v4.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof v4;
    }
    return address;
}

// A socket of the family bound to a free loopback port; the port in `port`.
int boundSocket(LoopbackTimeServer::Loopback family, quint16& port)
{
    socklen_t length = 0;
    sockaddr_storage address = loopback(family, 0, length);
    const int socket = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ::bind(socket, reinterpret_cast<const sockaddr*>(&address), length);
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    return socket;
}

qint64 monotonicUsec()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}
} // namespace

LoopbackTimeServer::LoopbackTimeServer(Behaviour behaviour, qint64 offsetUsec)
    : m_behaviour(std::move(behaviour))
    , m_offsetUsec(offsetUsec)
{
    m_listener = boundSocket(m_behaviour.address, m_port);
    // A black hole's queue takes nothing beyond what fills it.
    ::listen(m_listener, m_behaviour.accepts ? 50 : 0);
    m_thread = std::thread([this] { run(); });
}

LoopbackTimeServer::LoopbackTimeServer(std::chrono::milliseconds delay, qint64 offsetUsec)
    : LoopbackTimeServer(
          Behaviour{[this] {
                        const qint64 msecs = Clock::instance().currentDateTimeUtc().toMSecsSinceEpoch()
                            + m_offsetUsec / 1000;
                        return answerFor(QDateTime::fromMSecsSinceEpoch(msecs, QTimeZone::utc()));
                    },
                    {}, delay, false},
          offsetUsec)
{
}

LoopbackTimeServer::LoopbackTimeServer(const QByteArray& answer, Loopback address)
    : LoopbackTimeServer(Behaviour{[answer] { return answer; }, {}, {}, true, true, address})
{
}

LoopbackTimeServer::LoopbackTimeServer(std::function<void(int connection)> serve)
    : LoopbackTimeServer(Behaviour{{}, std::move(serve)})
{
}

std::unique_ptr<LoopbackTimeServer> LoopbackTimeServer::followingClock(std::chrono::milliseconds offset)
{
    return std::make_unique<LoopbackTimeServer>(std::chrono::milliseconds(0), offset.count() * 1000);
}

std::unique_ptr<LoopbackTimeServer> LoopbackTimeServer::telling(std::function<QDateTime()> now)
{
    return std::unique_ptr<LoopbackTimeServer>(
        new LoopbackTimeServer(Behaviour{[now = std::move(now)] { return answerFor(now()); }, {}, {}, false}));
}

std::unique_ptr<LoopbackTimeServer> LoopbackTimeServer::silent()
{
    return std::unique_ptr<LoopbackTimeServer>(new LoopbackTimeServer(Behaviour{}));
}

std::unique_ptr<LoopbackTimeServer> LoopbackTimeServer::blackHole()
{
    std::unique_ptr<LoopbackTimeServer> server(new LoopbackTimeServer(Behaviour{{}, {}, {}, true, false}));
    socklen_t length = 0;
    const sockaddr_storage address = loopback(Loopback::IPv4, server->m_port, length);
    for (int i = 0; i < 8; ++i) {
        server->m_fillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(server->m_fillers.back(), reinterpret_cast<const sockaddr*>(&address), length);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return server;
}

LoopbackTimeServer::~LoopbackTimeServer()
{
    m_stopping = true;
    m_thread.join();
    ::close(m_listener);
    for (const int socket : m_fillers)
        ::close(socket);
}

QString LoopbackTimeServer::entry() const
{
    const bool v6 = m_behaviour.address == Loopback::IPv6;
    return (v6 ? QStringLiteral("[::1]:%1") : QStringLiteral("127.0.0.1:%1")).arg(m_port);
}

void LoopbackTimeServer::resetQuestions()
{
    m_questions = 0;
    m_shortestGapUsec = std::numeric_limits<qint64>::max();
}

void LoopbackTimeServer::run()
{
    std::vector<int> held;
    while (!m_stopping) {
        // Wakes now and then to notice the end.
        std::vector<pollfd> waiting{{m_listener, short(m_behaviour.accepts ? POLLIN : 0), 0}};
        for (const int connection : held)
            waiting.push_back({connection, POLLIN, 0});
        if (::poll(waiting.data(), waiting.size(), 50) <= 0)
            continue;
        // A held connection ends when the client closes it; what it sends is dropped.
        for (std::size_t i = 1; i < waiting.size(); ++i) {
            char dropped[512];
            if (waiting[i].revents && ::recv(waiting[i].fd, dropped, sizeof dropped, 0) <= 0) {
                ::close(waiting[i].fd);
                held.erase(std::find(held.begin(), held.end(), waiting[i].fd));
            }
        }
        if (!(waiting[0].revents & POLLIN))
            continue;
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0 && answer(connection))
            held.push_back(connection);
    }
    for (const int connection : held)
        ::close(connection);
}

void LoopbackTimeServer::count()
{
    const qint64 now = monotonicUsec();
    if (m_questions++ > 0)
        m_shortestGapUsec = std::min(m_shortestGapUsec.load(), now - m_lastQuestionUsec.load());
    m_lastQuestionUsec = now;
}

bool LoopbackTimeServer::answer(int connection)
{
    count();
    if (m_behaviour.serve) {
        m_behaviour.serve(connection);
        return false;
    }
    if (!m_behaviour.answer)
        return true;
    std::this_thread::sleep_for(m_behaviour.delay);
    const QByteArray bytes = m_behaviour.answer();
    std::this_thread::sleep_for(m_behaviour.delay);
    if (!bytes.isEmpty()) {
        ::send(connection, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
        m_lastSentUsec = utcNowUsec();
    }
    if (!bytes.isEmpty() && m_behaviour.holds)
        return true;
    ::close(connection);
    return false;
}

QByteArray LoopbackTimeServer::answerFor(const QDateTime& utc)
{
    QByteArray answer(4, '\0');
    // The seconds that have begun, as every RFC 868 server sends them.
    const qint64 msecs = utc.toMSecsSinceEpoch();
    const qint64 seconds = msecs / 1000 - (msecs % 1000 < 0 ? 1 : 0);
    qToBigEndian(quint32(seconds + TimeProtocol::kEpochDifference), answer.data());
    return answer;
}

quint16 LoopbackTimeServer::refusingPort()
{
    quint16 port = 0;
    // Bound but never listening, then closed: connections to it are refused.
    ::close(boundSocket(Loopback::IPv4, port));
    return port;
}

QString LoopbackTimeServer::refusedEntry()
{
    return QStringLiteral("127.0.0.1:%1").arg(refusingPort());
}

void LoopbackTimeServer::bareExchange(quint16 port)
{
    socklen_t length = 0;
    const sockaddr_storage address = loopback(Loopback::IPv4, port, length);
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    char answer[4];
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0)
        static_cast<void>(::recv(socket, answer, sizeof answer, MSG_WAITALL));
    ::close(socket);
}

qint64 LoopbackTimeServer::utcNowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}
