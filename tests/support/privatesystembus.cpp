#include "support/privatesystembus.h"

#include <QDeadlineTimer>

PrivateSystemBus::PrivateSystemBus()
{
    // The session configuration lets the owning user do anything, which is all
    // a test needs; a bus is "the system bus" only by where clients look for it.
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                    QStringLiteral("--address=unix:dir=") + m_dir.path()});
    const QDeadlineTimer deadline(10000);
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty())
        m_error = QStringLiteral("dbus-daemon gave no address: ") + m_daemon.errorString() + QLatin1Char(' ')
            + QString::fromUtf8(m_daemon.readAllStandardError());
}

PrivateSystemBus::~PrivateSystemBus()
{
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
}

QDBusConnection PrivateSystemBus::connect(const QString& connectionName) const
{
    return QDBusConnection::connectToBus(m_address, connectionName);
}
