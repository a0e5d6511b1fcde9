#include "support/networkmanagermock.h"

#include "support/privatesystembus.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString Service = QStringLiteral("org.freedesktop.NetworkManager");
const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");

// `text` as a GVariant string.
QString quoted(QString text)
{
    return '\'' + text.replace('\\', "\\\\").replace('\'', "\\'") + '\'';
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
        m_error = "no private bus: " + bus.errorText();
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "networkmanager"});
    QProcess wait;
    wait.start("gdbus", {"wait", "--address", m_address, "--timeout", "20", Service});
    if (!m_process.waitForStarted() || !wait.waitForFinished(25000) || wait.exitCode() != 0) {
        m_error = "dbusmock did not come up: " + m_process.errorString() + ' ' + wait.readAllStandardError();
        return;
    }
    // The template lacks these two; Korvel reads them for the kind of connection.
    call(ManagerPath, "AddProperty", {Service, "PrimaryConnection", "<objectpath '/'>"});
    call(ManagerPath, "AddProperty", {Service, "PrimaryConnectionType", "<''>"});
}

NetworkManagerMock::~NetworkManagerMock()
{
    m_process.terminate();
    m_process.waitForFinished(3000);
}

QString NetworkManagerMock::addProfile(const QString& id, const QString& type)
{
    const QString settings = QStringLiteral("{'connection': {'id': <%1>, 'type': <%2>, 'autoconnect': <false>}}")
                                 .arg(quoted(id), quoted(type));
    return objectPaths(call(ManagerPath + "/Settings", Service + ".Settings.AddConnection", {settings})).value(0);
}

void NetworkManagerMock::addModemDevice()
{
    const char* const properties = "{'DeviceType': <uint32 8>, 'Interface': <'ttyUSB0'>, 'State': <uint32 30>, "
                                   "'ActiveConnection': <objectpath '/'>, 'Managed': <true>, "
                                   "'StateReason': <(uint32 30, uint32 0)>}";
    call(ManagerPath, "AddObject", {ManagerPath + "/Devices/ttyUSB0", Service + ".Device", properties, "@a(ssss) []"});
}

QString NetworkManagerMock::addActiveConnection(const QString& profilePath, const QString& name)
{
    const char* const activated = "2";
    const QString output = call(ManagerPath, "AddActiveConnection", {"@as []", profilePath, "/", name, activated});
    return objectPaths(output).value(0);
}

QStringList NetworkManagerMock::activeConnections()
{
    return objectPaths(call(ManagerPath, "org.freedesktop.DBus.Properties.Get", {Service, "ActiveConnections"}));
}

void NetworkManagerMock::setState(uint nmState)
{
    call(ManagerPath, "SetGlobalConnectionState", {QString::number(nmState)});
}

void NetworkManagerMock::setNetworkingEnabled(bool enabled)
{
    call(ManagerPath, "SetNetworkingEnabled", {enabled ? "true" : "false"});
}

void NetworkManagerMock::setPrimaryConnection(const QString& activePath, const QString& type)
{
    setManagerProperty("PrimaryConnection", "<objectpath " + quoted(activePath) + '>');
    setManagerProperty("PrimaryConnectionType", '<' + quoted(type) + '>');
}

void NetworkManagerMock::deactivate(const QString& activePath)
{
    call(ManagerPath, "org.freedesktop.NetworkManager.DeactivateConnection", {"objectpath " + quoted(activePath)});
}

void NetworkManagerMock::setManagerProperty(const QString& name, const QString& value)
{
    call(ManagerPath, "SetProperty", {ManagerPath, Service, name, value});
}

QString NetworkManagerMock::call(const QString& objectPath, const QString& method, const QStringList& arguments)
{
    const QString qualified = method.contains('.') ? method : "org.freedesktop.DBus.Mock." + method;
    QProcess process;
    process.start("gdbus", QStringList{"call", "--address", m_address, "--dest", Service, "--object-path", objectPath,
                                       "--method", qualified} + arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        ADD_FAILURE() << "gdbus " << qPrintable(qualified) << " failed: " << process.readAllStandardError().data();
    return QString::fromUtf8(process.readAllStandardOutput());
}
