// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/privatesystembus.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {
// Open to every local user of the test, so the mock may own NetworkManager's
// name and a desktop's user, or the test as root, may call anyone.
const char* const kConfiguration = R"(<busconfig>
  <type>%2</type>
  <listen>unix:path=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
)";
} // namespace

PrivateSystemBus::PrivateSystemBus(const QString& type)
{
    QFile(m_dir.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup
                                       | QFile::ExeOther);
    QFile configuration(m_dir.filePath("bus.conf"));
    if (configuration.open(QIODevice::WriteOnly))
        configuration.write(QString::fromLatin1(kConfiguration).arg(m_dir.filePath("bus"), type).toUtf8());
    configuration.close();
    m_daemon.start("dbus-daemon", {"--config-file=" + configuration.fileName(), "--nofork", "--print-address"});
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
