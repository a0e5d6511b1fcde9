// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/networkmanagermock.h"

#include <QRegularExpression>

namespace {

const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");

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
    : DBusMock(bus, "networkmanager", QStringLiteral("org.freedesktop.NetworkManager"))
{
}

QString NetworkManagerMock::addProfile(const QString& id, const QString& type)
{
    const QString settings = QStringLiteral("{'connection': {'id': <%1>, 'type': <%2>, 'autoconnect': <false>}}")
                                 .arg(quoted(id), quoted(type));
    const QString output = call(ManagerPath + "/Settings", m_service + ".Settings.AddConnection", {settings});
    return objectPaths(output).value(0);
}

void NetworkManagerMock::addModemDevice()
{
    const char* const properties = "{'DeviceType': <uint32 8>, 'Interface': <'ttyUSB0'>, 'State': <uint32 30>, "
                                   "'ActiveConnection': <objectpath '/'>, 'Managed': <true>, "
                                   "'StateReason': <(uint32 30, uint32 0)>}";
    call(ManagerPath, "AddObject",
         {ManagerPath + "/Devices/ttyUSB0", m_service + ".Device", properties, "@a(ssss) []"});
}

QString NetworkManagerMock::addActiveConnection(const QString& profilePath, const QString& name)
{
    const char* const activated = "2";
    const QString output = call(ManagerPath, "AddActiveConnection", {"@as []", profilePath, "/", name, activated});
    return objectPaths(output).value(0);
}

QStringList NetworkManagerMock::activeConnections()
{
    return objectPaths(call(ManagerPath, "org.freedesktop.DBus.Properties.Get", {m_service, "ActiveConnections"}));
}

void NetworkManagerMock::deactivate(const QString& activePath)
{
    call(ManagerPath, m_service + ".DeactivateConnection", {"objectpath " + quoted(activePath)});
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

void NetworkManagerMock::setManagerProperty(const QString& name, const QString& value)
{
    call(ManagerPath, "SetProperty", {ManagerPath, m_service, name, value});
}
