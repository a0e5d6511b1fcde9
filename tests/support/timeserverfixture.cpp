// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/timeserverfixture.h"

#include "base/clock.h"

#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Hands each accepted connection's plain socket to `serve` when there is one.
class Server : public QTcpServer
{
public:
    explicit Server(const std::function<void(int)>& serve) : m_serve(serve) {}

protected:
    void incomingConnection(qintptr socket) override
    {
        m_serve ? m_serve(int(socket)) : QTcpServer::incomingConnection(socket);
    }

private:
    std::function<void(int)> m_serve;
};
} // namespace

TimeServerFixture::TimeServerFixture(const QByteArray& answer, bool silent, const QHostAddress& loopback)
    : TimeServerFixture([answer] { return answer; }, silent, loopback)
{
}

std::unique_ptr<TimeServerFixture> TimeServerFixture::followingClock(std::chrono::milliseconds offset)
{
    return std::unique_ptr<TimeServerFixture>(new TimeServerFixture(
        [offset] { return answerFor(Clock::instance().currentDateTimeUtc().addMSecs(offset.count())); }, false,
        QHostAddress::LocalHost));
}

std::unique_ptr<TimeServerFixture> TimeServerFixture::telling(const std::function<QDateTime()>& now)
{
    return std::unique_ptr<TimeServerFixture>(
        new TimeServerFixture([now] { return answerFor(now()); }, false, QHostAddress::LocalHost));
}

TimeServerFixture::TimeServerFixture(const std::function<void(int)>& serve)
    : TimeServerFixture({}, false, QHostAddress::LocalHost, serve)
{
}

std::unique_ptr<TimeServerFixture> TimeServerFixture::blackHole()
{
    std::unique_ptr<TimeServerFixture> server(new TimeServerFixture({}, false, QHostAddress::LocalHost, {}, false));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(server->m_port);
    for (int i = 0; i < 8; ++i) {
        server->m_fillers.append(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        ::connect(server->m_fillers.last(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    QThread::msleep(100);
    return server;
}

TimeServerFixture::TimeServerFixture(const std::function<QByteArray()>& answerNow, bool silent,
                                     const QHostAddress& loopback, const std::function<void(int)>& serve,
                                     bool accepting)
    : m_server(new Server(serve))
{
    m_server->moveToThread(&m_thread);
    m_thread.start();
    const auto answerEach = [this, answerNow, silent] {
        while (QTcpSocket* connection = m_server->nextPendingConnection()) {
            ++m_connections;
            QObject::connect(connection, &QTcpSocket::disconnected, connection, &QObject::deleteLater);
            const QByteArray answer = silent ? QByteArray() : answerNow();
            if (!silent && answer.isEmpty())
                connection->disconnectFromHost();
            else if (!silent)
                connection->write(answer);
        }
    };
    QMetaObject::invokeMethod(m_server, [this, answerEach, loopback, accepting] {
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, answerEach);
        m_server->setListenBacklogSize(accepting ? 50 : 0);
        m_server->listen(loopback);
        if (!accepting)
            m_server->pauseAccepting();
        m_port = m_server->serverPort();
    }, Qt::BlockingQueuedConnection);
    const QString address = loopback.toString();
    m_entry = (loopback.protocol() == QAbstractSocket::IPv6Protocol ? u'[' + address + u']' : address)
        + u':' + QString::number(m_port);
}

TimeServerFixture::~TimeServerFixture()
{
    // Goes at the latest when its thread ends, with the connections it still holds.
    m_server->deleteLater();
    m_thread.quit();
    m_thread.wait();
    for (const int socket : m_fillers)
        ::close(socket);
}

QByteArray TimeServerFixture::answerFor(const QDateTime& utc)
{
    QByteArray answer(4, '\0');
    qToBigEndian(quint32(QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC).secsTo(utc)), answer.data());
    return answer;
}

QString TimeServerFixture::refusedEntry()
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    return QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
}

QString TimeServerFixture::xinetdEntry()
{
    const QString entry = qEnvironmentVariable("KORVEL_XINETD_TIME");
    if (entry.isEmpty() && qEnvironmentVariable("CI") == QLatin1String("true"))
        ADD_FAILURE() << "KORVEL_XINETD_TIME is not set; CI must start scripts/services.sh";
    return entry;
}
