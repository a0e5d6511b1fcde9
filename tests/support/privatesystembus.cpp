// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/privatesystembus.h"

#include <QDeadlineTimer>

PrivateSystemBus::PrivateSystemBus()
{
    m_daemon.start(KORVEL_PRIVATE_BUS, {"bus", m_dir.path()});
    const QDeadlineTimer deadline(10000);
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty())
        m_error = "dbus-daemon gave no address: " + m_daemon.errorString() + ' ' + m_daemon.readAllStandardError();
}

PrivateSystemBus::~PrivateSystemBus()
{
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
}

QDBusConnection PrivateSystemBus::connect(const QString& connectionName) const
{
    // QtDBus hands out an open connection of the same name again, so the name
    // carries the address: a later bus in the same process gets its own.
    return QDBusConnection::connectToBus(m_address, connectionName + '@' + m_address);
}
