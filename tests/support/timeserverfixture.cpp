#include "support/timeserverfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {
sockaddr_in loopback(const char* address, quint16 port)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = ::inet_addr(address);
    return local;
}

quint16 boundPort(int fd)
{
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length);
    return ntohs(bound.sin_port);
}
} // namespace

TimeServerFixture::TimeServerFixture(Behaviour behaviour, const char* address)
    : m_behaviour(std::move(behaviour))
    , m_address(QString::fromLatin1(address))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in local = loopback(address, 0);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0
        || ::listen(m_listener, 8) != 0 || ::pipe(m_wake) != 0)
        throw std::runtime_error("time server fixture cannot listen");
    m_port = boundPort(m_listener);
    m_thread = std::thread([this] { serve(); });
}

TimeServerFixture::~TimeServerFixture()
{
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &stop, 1);
    m_thread.join();
    ::close(m_listener);
    ::close(m_wake[0]);
    ::close(m_wake[1]);
}

QString TimeServerFixture::entry() const
{
    return m_address + QLatin1Char(':') + QString::number(m_port);
}

QByteArray TimeServerFixture::answerFor(const QDateTime& utc)
{
    const QDateTime epoch(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
    const quint32 seconds = quint32(epoch.secsTo(utc));
    return bytes({quint8(seconds >> 24), quint8(seconds >> 16), quint8(seconds >> 8), quint8(seconds)});
}

QByteArray TimeServerFixture::bytes(std::initializer_list<quint8> values)
{
    QByteArray result;
    for (const quint8 value : values)
        result.append(char(value));
    return result;
}

quint16 TimeServerFixture::refusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in local = loopback("127.0.0.1", 0);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    const quint16 port = boundPort(fd);
    ::close(fd);
    return port;
}

bool TimeServerFixture::waitReadable(int fd, int timeoutMsecs)
{
    pollfd entries[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    const int ready = ::poll(entries, 2, timeoutMsecs);
    return ready >= 0 && entries[1].revents == 0;
}

void TimeServerFixture::serve()
{
    while (waitReadable(m_listener)) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        ++m_connections;
        serveConnection(connection);
        ::close(connection);
    }
}

void TimeServerFixture::serveConnection(int connection)
{
    if (m_behaviour.delayMsecs > 0) {
        pollfd wake{m_wake[0], POLLIN, 0};
        if (::poll(&wake, 1, m_behaviour.delayMsecs) != 0)
            return;
    }
    if (!m_behaviour.silent) {
        if (m_behaviour.answer.isEmpty())
            return;
        [[maybe_unused]] const ssize_t sent
            = ::send(connection, m_behaviour.answer.constData(), size_t(m_behaviour.answer.size()), MSG_NOSIGNAL);
    }
    // Hold the connection until the client closes it (or sends something).
    char ignored[64];
    if (waitReadable(connection) && ::recv(connection, ignored, sizeof ignored, 0) == 0 && !m_behaviour.silent)
        ++m_closedByClient;
}
