#include "support/timeserverfixture.h"

#include "base/clock.h"

#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

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

TimeServerFixture::TimeServerFixture(const std::function<QByteArray()>& answerNow, bool silent,
                                     const QHostAddress& loopback)
{
    m_server->moveToThread(&m_thread);
    m_thread.start();
    const auto serve = [this, answerNow, silent] {
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
    QMetaObject::invokeMethod(m_server, [this, serve, loopback] {
        QObject::connect(m_server, &QTcpServer::newConnection, m_server, serve);
        m_server->listen(loopback);
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
