#include "support/networkmanagermock.h"

#include "support/privatesystembus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString ManagerInterface = QStringLiteral("org.freedesktop.NetworkManager");
const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString MockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
constexpr int StartTimeoutMsecs = 20000;

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

// The settings section that makes a profile of this kind complete enough.
QString kindSection(const QString& type)
{
    if (type == QLatin1String("gsm"))
        return QStringLiteral(", 'gsm': {'apn': <'internet'>, 'number': <'*99#'>}");
    if (type == QLatin1String("pppoe"))
        return QStringLiteral(", 'pppoe': {'username': <'user'>}");
    return {};
}

QString firstObjectPath(const QString& gdbusOutput)
{
    static const QRegularExpression path(QStringLiteral("'(/[^']*)'"));
    return path.match(gdbusOutput).captured(1);
}

} // namespace

NetworkManagerMock::NetworkManagerMock(const PrivateSystemBus& bus)
    : m_address(bus.address())
    , m_connection(bus.connect(QStringLiteral("korvel-nm-mock-") + QUuid::createUuid().toString(QUuid::Id128)))
{
    if (!bus.isRunning() || !m_connection.isConnected()) {
        m_error = QStringLiteral("no private bus: ") + bus.errorText();
        return;
    }
    m_process.setProcessEnvironment(bus.processEnvironment());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                     QStringLiteral("--template"), QStringLiteral("networkmanager")});
    const QDeadlineTimer deadline(StartTimeoutMsecs);
    while (!m_connection.interface()->isServiceRegistered(Service).value()) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
            m_error = QStringLiteral("dbusmock did not come up: ") + m_process.errorString();
            return;
        }
        QThread::msleep(50);
    }
    // The template lacks these two; Korvel reads them for the kind of connection.
    gdbus(ManagerPath, QStringLiteral("AddProperty"),
          {ManagerInterface, QStringLiteral("PrimaryConnection"), QStringLiteral("<objectpath '/'>")});
    gdbus(ManagerPath, QStringLiteral("AddProperty"),
          {ManagerInterface, QStringLiteral("PrimaryConnectionType"), QStringLiteral("<''>")});
}

NetworkManagerMock::~NetworkManagerMock()
{
    stop();
}

void NetworkManagerMock::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString NetworkManagerMock::addProfile(const QString& id, const QString& type)
{
    const QString settings = QStringLiteral("{'connection': {'id': <%1>, 'type': <%2>, 'autoconnect': <false>}%3}")
                                 .arg(quoted(id), quoted(type), kindSection(type));
    const QString output = gdbus(SettingsPath, QStringLiteral("org.freedesktop.NetworkManager.Settings.AddConnection"),
                                 {settings});
    return firstObjectPath(output);
}

QString NetworkManagerMock::addModemDevice(const QString& interfaceName)
{
    const QString path = QStringLiteral("/org/freedesktop/NetworkManager/Devices/") + interfaceName;
    const QString properties =
        QStringLiteral("{'DeviceType': <uint32 8>, 'Interface': <%1>, 'State': <uint32 30>, "
                       "'ActiveConnection': <objectpath '/'>, 'Managed': <true>, "
                       "'StateReason': <(uint32 30, uint32 0)>}")
            .arg(quoted(interfaceName));
    gdbus(ManagerPath, QStringLiteral("AddObject"),
          {path, QStringLiteral("org.freedesktop.NetworkManager.Device"), properties, QStringLiteral("@a(ssss) []")});
    return path;
}

QString NetworkManagerMock::addActiveConnection(const QString& profilePath, const QString& name, uint state)
{
    return firstObjectPath(gdbus(ManagerPath, QStringLiteral("AddActiveConnection"),
                                 {QStringLiteral("@as []"), profilePath, QStringLiteral("/"), name,
                                  QString::number(state)}));
}

void NetworkManagerMock::setState(uint nmState)
{
    gdbus(ManagerPath, QStringLiteral("SetGlobalConnectionState"), {QString::number(nmState)});
}

void NetworkManagerMock::setNetworkingEnabled(bool enabled)
{
    gdbus(ManagerPath, QStringLiteral("SetNetworkingEnabled"),
          {enabled ? QStringLiteral("true") : QStringLiteral("false")});
}

void NetworkManagerMock::setPrimaryConnection(const QString& activePath, const QString& type)
{
    gdbus(ManagerPath, QStringLiteral("SetProperty"),
          {ManagerPath, ManagerInterface, QStringLiteral("PrimaryConnection"),
           QStringLiteral("<objectpath %1>").arg(quoted(activePath))});
    gdbus(ManagerPath, QStringLiteral("SetProperty"),
          {ManagerPath, ManagerInterface, QStringLiteral("PrimaryConnectionType"),
           QStringLiteral("<%1>").arg(quoted(type))});
}

void NetworkManagerMock::makeActivationsEndIn(uint activeState)
{
    const QString code = QStringLiteral("ret = self.AddActiveConnection([], args[0], '/', "
                                        "'Pending' + str(len(self.Get('%1', 'ActiveConnections'))), %2)")
                             .arg(ManagerInterface)
                             .arg(activeState);
    gdbus(ManagerPath, QStringLiteral("AddMethod"),
          {ManagerInterface, QStringLiteral("ActivateConnection"), QStringLiteral("ooo"), QStringLiteral("o"),
           quoted(code)});
}

QStringList NetworkManagerMock::activeConnections() const
{
    QDBusMessage get = QDBusMessage::createMethodCall(Service, ManagerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({ManagerInterface, QStringLiteral("ActiveConnections")});
    const QDBusMessage reply = m_connection.call(get);
    QList<QDBusObjectPath> paths;
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        reply.arguments().first().value<QDBusVariant>().variant().value<QDBusArgument>() >> paths;
    QStringList result;
    for (const QDBusObjectPath& path : paths)
        result.append(path.path());
    return result;
}

QString NetworkManagerMock::gdbus(const QString& objectPath, const QString& method, const QStringList& arguments)
{
    const QString qualified = method.contains(QLatin1Char('.')) ? method : MockInterface + QLatin1Char('.') + method;
    QProcess process;
    process.start(QStringLiteral("gdbus"), QStringList{QStringLiteral("call"), QStringLiteral("--address"), m_address,
                                                       QStringLiteral("--dest"), Service, QStringLiteral("--object-path"),
                                                       objectPath, QStringLiteral("--method"), qualified}
                                               + arguments);
    process.waitForFinished(10000);
    if (process.exitCode() != 0 || process.exitStatus() != QProcess::NormalExit)
        ADD_FAILURE() << "gdbus " << qPrintable(qualified) << " failed: " << process.readAllStandardError().constData();
    return QString::fromUtf8(process.readAllStandardOutput());
}
