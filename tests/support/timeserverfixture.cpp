#include "support/timeserverfixture.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {
// Binds a TCP socket to a free loopback port; returns the socket and port.
std::pair<int, quint16> boundSocket()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof local;
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&local), length) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        throw std::runtime_error("time server fixture cannot bind");
    return {fd, ntohs(local.sin_port)};
}
} // namespace

TimeServerFixture::TimeServerFixture(QByteArray answer, bool silent)
    : m_answer(std::move(answer))
    , m_silent(silent)
{
    std::tie(m_listener, m_port) = boundSocket();
    if (::listen(m_listener, 8) != 0 || ::pipe(m_wake) != 0)
        throw std::runtime_error("time server fixture cannot listen");
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
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QByteArray TimeServerFixture::answerFor(const QDateTime& utc)
{
    const QDateTime epoch(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
    const quint32 bigEndian = qToBigEndian(quint32(epoch.secsTo(utc)));
    return QByteArray(reinterpret_cast<const char*>(&bigEndian), sizeof bigEndian);
}

QString TimeServerFixture::refusedEntry()
{
    const auto [fd, port] = boundSocket();
    ::close(fd);
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

QString TimeServerFixture::xinetdEntry()
{
    const QString entry = qEnvironmentVariable("KORVEL_XINETD_TIME");
    if (entry.isEmpty() && qEnvironmentVariable("CI") == QLatin1String("true"))
        ADD_FAILURE() << "KORVEL_XINETD_TIME is not set; CI must start scripts/services.sh";
    return entry;
}

bool TimeServerFixture::waitReadable(int fd)
{
    pollfd entries[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    return ::poll(entries, 2, -1) >= 0 && entries[1].revents == 0;
}

void TimeServerFixture::serve()
{
    while (waitReadable(m_listener)) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        ++m_connections;
        if (!m_silent && !m_answer.isEmpty())
            ::send(connection, m_answer.constData(), size_t(m_answer.size()), MSG_NOSIGNAL);
        // Hold the connection until the client closes it or the fixture stops.
        char ignored[64];
        if ((m_silent || !m_answer.isEmpty()) && waitReadable(connection))
            ::recv(connection, ignored, sizeof ignored, 0);
        ::close(connection);
    }
}
