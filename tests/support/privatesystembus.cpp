#include "support/privatesystembus.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {
// A bus of the system type, as the real one, open to every local user of the
// test so the mock may own NetworkManager's name.
const char* const kConfiguration = R"(<busconfig>
  <type>system</type>
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

PrivateSystemBus::PrivateSystemBus()
{
    QFile configuration(m_dir.filePath(QStringLiteral("bus.conf")));
    if (!configuration.open(QIODevice::WriteOnly)
        || configuration.write(QString::fromLatin1(kConfiguration).arg(m_dir.filePath(QStringLiteral("bus"))).toUtf8()) < 0) {
        m_error = QStringLiteral("cannot write the bus configuration: ") + configuration.errorString();
        return;
    }
    configuration.close();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + configuration.fileName(), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
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
