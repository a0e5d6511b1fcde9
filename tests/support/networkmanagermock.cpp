#include "support/networkmanagermock.h"

#include "support/privatesystembus.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");

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

QStringList objectPaths(const QString& gdbusOutput)
{
    static const QRegularExpression path(QStringLiteral("'(/[^']*)'"));
    QStringList paths;
    for (const QRegularExpressionMatch& match : path.globalMatch(gdbusOutput))
        paths.append(match.captured(1));
    return paths;
}

} // namespace

NetworkManagerMock::NetworkManagerMock(const PrivateSystemBus& bus)
    : m_address(bus.address())
{
    if (!bus.isRunning()) {
        m_error = QStringLiteral("no private bus: ") + bus.errorText();
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                                         QStringLiteral("--system"), QStringLiteral("--template"),
                                                         QStringLiteral("networkmanager")});
    QProcess wait;
    wait.start(QStringLiteral("gdbus"), {QStringLiteral("wait"), QStringLiteral("--address"), m_address,
                                         QStringLiteral("--timeout"), QStringLiteral("20"), Service});
    if (!m_process.waitForStarted() || !wait.waitForFinished(25000) || wait.exitCode() != 0) {
        m_error = QStringLiteral("dbusmock did not come up: ") + m_process.errorString() + QLatin1Char(' ')
            + QString::fromUtf8(wait.readAllStandardError());
        return;
    }
    // The template lacks these two; Korvel reads them for the kind of connection.
    call(ManagerPath, QStringLiteral("AddProperty"), {Service, QStringLiteral("PrimaryConnection"), "<objectpath '/'>"});
    call(ManagerPath, QStringLiteral("AddProperty"), {Service, QStringLiteral("PrimaryConnectionType"), "<''>"});
}

NetworkManagerMock::~NetworkManagerMock()
{
    m_process.terminate();
    m_process.waitForFinished(3000);
}

QString NetworkManagerMock::addProfile(const QString& id, const QString& type)
{
    const QString settings = QStringLiteral("{'connection': {'id': <%1>, 'type': <%2>, 'autoconnect': <false>}%3}")
                                 .arg(quoted(id), quoted(type), kindSection(type));
    return objectPaths(call(ManagerPath + QStringLiteral("/Settings"), Service + QStringLiteral(".Settings.AddConnection"),
                            {settings}))
        .value(0);
}

void NetworkManagerMock::addModemDevice()
{
    const QString properties = QStringLiteral("{'DeviceType': <uint32 8>, 'Interface': <'ttyUSB0'>, 'State': <uint32 30>, "
                                              "'ActiveConnection': <objectpath '/'>, 'Managed': <true>, "
                                              "'StateReason': <(uint32 30, uint32 0)>}");
    call(ManagerPath, QStringLiteral("AddObject"),
         {ManagerPath + QStringLiteral("/Devices/ttyUSB0"), Service + QStringLiteral(".Device"), properties,
          QStringLiteral("@a(ssss) []")});
}

QString NetworkManagerMock::addActiveConnection(const QString& profilePath, const QString& name)
{
    const QString activated = QStringLiteral("2");
    return objectPaths(call(ManagerPath, QStringLiteral("AddActiveConnection"),
                            {QStringLiteral("@as []"), profilePath, QStringLiteral("/"), name, activated}))
        .value(0);
}

QStringList NetworkManagerMock::activeConnections()
{
    return objectPaths(call(ManagerPath, QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                            {Service, QStringLiteral("ActiveConnections")}));
}

void NetworkManagerMock::setState(uint nmState)
{
    call(ManagerPath, QStringLiteral("SetGlobalConnectionState"), {QString::number(nmState)});
}

void NetworkManagerMock::setNetworkingEnabled(bool enabled)
{
    call(ManagerPath, QStringLiteral("SetNetworkingEnabled"), {enabled ? QStringLiteral("true") : QStringLiteral("false")});
}

void NetworkManagerMock::setPrimaryConnection(const QString& activePath, const QString& type)
{
    call(ManagerPath, QStringLiteral("SetProperty"),
         {ManagerPath, Service, QStringLiteral("PrimaryConnection"), QStringLiteral("<objectpath %1>").arg(quoted(activePath))});
    call(ManagerPath, QStringLiteral("SetProperty"),
         {ManagerPath, Service, QStringLiteral("PrimaryConnectionType"), QStringLiteral("<%1>").arg(quoted(type))});
}

QString NetworkManagerMock::call(const QString& objectPath, const QString& method, const QStringList& arguments)
{
    const QString qualified = method.contains(QLatin1Char('.')) ? method : QStringLiteral("org.freedesktop.DBus.Mock.") + method;
    QProcess process;
    process.start(QStringLiteral("gdbus"), QStringList{QStringLiteral("call"), QStringLiteral("--address"), m_address,
                                                       QStringLiteral("--dest"), Service, QStringLiteral("--object-path"),
                                                       objectPath, QStringLiteral("--method"), qualified}
                                               + arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        ADD_FAILURE() << "gdbus " << qPrintable(qualified) << " failed: " << process.readAllStandardError().constData();
    return QString::fromUtf8(process.readAllStandardOutput());
}
