// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/networkmanagerbackend.h"

#include "base/eventslice.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"
#include "net/netlog.h"
#include "net/systemproxy.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <cerrno>

namespace {

const QString ManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString ManagerInterface = QStringLiteral("org.freedesktop.NetworkManager");
const QString SettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString SettingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString ProfileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString ActiveInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");


// NetworkManager's NMState and NMActiveConnectionState values.
constexpr uint StateConnectedLocal = 50;
constexpr uint StateConnectedGlobal = 70;
constexpr uint ActiveActivating = 1;
constexpr uint ActiveActivated = 2;

using SettingsMap = QMap<QString, QVariantMap>;

// Decodes a reply argument only when it has the expected D-Bus type: the
// stream operators never finish on an argument of another type.
template <typename T>
bool decode(const QVariant& value, QLatin1String signature, T& decoded)
{
    if (!value.canConvert<QDBusArgument>())
        return false;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != signature) {
        qCWarning(lcNet) << "NetworkManager answered" << argument.currentSignature() << "where" << signature
                         << "belongs; ignored";
        return false;
    }
    argument >> decoded;
    return true;
}

QList<QString> objectPaths(const QVariant& value)
{
    QList<QDBusObjectPath> paths;
    if (value.canConvert<QDBusArgument>())
        decode(value, QLatin1String("ao"), paths);
    else
        paths = value.value<QList<QDBusObjectPath>>();
    QList<QString> result;
    for (const QDBusObjectPath& path : paths)
        result.append(path.path());
    return result;
}

QString objectPath(const QVariant& value)
{
    return value.value<QDBusObjectPath>().path();
}

NetResult notDialledByUs()
{
    return NetResult::fromErrno(EBADF);
}

} // namespace

const QString NetworkManagerBackend::Service = QStringLiteral("org.freedesktop.NetworkManager");

NetworkManagerBackend::NetworkManagerBackend(const QDBusConnection& bus, int dialWaitMsecs)
    : m_bus(bus)
    , m_dialWaitMsecs(dialWaitMsecs)
{
}

bool NetworkManagerBackend::isDialUpKind(const QString& connectionType)
{
    static const QStringList kinds = {QStringLiteral("gsm"), QStringLiteral("cdma"), QStringLiteral("pppoe"),
                                      QStringLiteral("adsl"), QStringLiteral("bluetooth")};
    return kinds.contains(connectionType);
}

ConnectedState NetworkManagerBackend::connectedState()
{
    ConnectedState state;
    QVariantMap manager;
    const NetResult read = properties(ManagerPath, ManagerInterface, manager);
    if (!read.ok) {
        state.result = read;
        return state;
    }

    state.flags = InternetFlags::RasInstalled;
    if (!manager.value(QStringLiteral("NetworkingEnabled"), true).toBool())
        state.flags |= InternetFlags::Offline;
    const QString primaryType = manager.value(QStringLiteral("PrimaryConnectionType")).toString();
    if (isDialUpKind(primaryType))
        state.flags |= InternetFlags::Modem;
    else if (!primaryType.isEmpty())
        state.flags |= InternetFlags::Lan;
    if (SystemProxy::inUse())
        state.flags |= InternetFlags::Proxy;

    for (const QString& activePath : objectPaths(manager.value(QStringLiteral("ActiveConnections")))) {
        QVariantMap active;
        if (!properties(activePath, ActiveInterface, active).ok)
            continue; // it went away while we looked
        if (isDialUpKind(active.value(QStringLiteral("Type")).toString())
            && active.value(QStringLiteral("State")).toUInt() == ActiveActivating)
            state.flags |= InternetFlags::ModemBusy;
    }

    const QString primaryPath = objectPath(manager.value(QStringLiteral("PrimaryConnection")));
    QVariantMap primary;
    if (!primaryPath.isEmpty() && primaryPath != QLatin1String("/") && properties(primaryPath, ActiveInterface, primary).ok)
        state.name = primary.value(QStringLiteral("Id")).toString();

    QVariantList reply;
    if (call(SettingsPath, SettingsInterface, QStringLiteral("ListConnections"), {}, reply).ok && !reply.isEmpty()
        && !objectPaths(reply.first()).isEmpty())
        state.flags |= InternetFlags::Configured;

    const uint nmState = manager.value(QStringLiteral("State")).toUInt();
    const bool connected = nmState >= StateConnectedLocal;
    state.reachesInternet = nmState == StateConnectedGlobal;
    state.result = connected ? NetResult::success() : NetResult::failure();
    return state;
}

NetResult NetworkManagerBackend::dial(const QString& entryName, qint32, quint32& connectionNumber)
{
    QList<Profile> profiles;
    const NetResult listed = listProfiles(profiles);
    if (!listed.ok)
        return listed;
    const auto profile = std::find_if(profiles.cbegin(), profiles.cend(),
                                      [&](const Profile& candidate) { return candidate.id == entryName; });
    if (profile == profiles.cend())
        return NetResult::failure(NetErrorCode::ItemNotFound,
                                  QStringLiteral("No connection profile named '%1'").arg(entryName));

    QString activePath;
    const NetResult activated = activate(*profile, activePath);
    if (!activated.ok)
        return activated;
    // Remembered before the wait, so a dial that is still coming up can be hung up.
    connectionNumber = remember(activePath);
    return waitUntilActivated(activePath, profile->id);
}

NetResult NetworkManagerBackend::hangUp(quint32 connectionNumber)
{
    const auto dialled = m_dialled.constFind(connectionNumber);
    if (dialled == m_dialled.cend())
        return notDialledByUs();
    return deactivate(*dialled);
}

NetResult NetworkManagerBackend::autodial(qint32)
{
    const ConnectedState state = connectedState();
    if (state.result.ok || state.result.code > 0)
        return state.result;

    QList<Profile> profiles;
    const NetResult listed = listProfiles(profiles);
    if (!listed.ok)
        return listed;
    const Profile* chosen = nullptr;
    for (const Profile& profile : profiles) {
        if (!isDialUpKind(profile.type))
            continue;
        if (!chosen || (profile.autoconnect && !chosen->autoconnect))
            chosen = &profile;
    }
    if (!chosen)
        return NetResult::failure(NetErrorCode::ItemNotFound, QStringLiteral("No dial-up connection profile"));

    QString activePath;
    const NetResult activated = activate(*chosen, activePath);
    if (!activated.ok)
        return activated;
    m_autodialled = activePath;
    return waitUntilActivated(activePath, chosen->id);
}

NetResult NetworkManagerBackend::autodialHangup()
{
    if (m_autodialled.isEmpty())
        return notDialledByUs();
    const NetResult result = deactivate(m_autodialled);
    m_autodialled.clear();
    return result;
}

NetResult NetworkManagerBackend::setGlobalOnline(bool online)
{
    QVariantList reply;
    return call(ManagerPath, ManagerInterface, QStringLiteral("Enable"), {online}, reply);
}

NetResult NetworkManagerBackend::goOnline(const QString&)
{
    return autodial(0);
}

QStringList NetworkManagerBackend::dialUpEntries()
{
    QList<Profile> profiles;
    const NetResult listed = listProfiles(profiles);
    if (!listed.ok)
        qCWarning(lcNet) << "Cannot list connection profiles:" << listed.message;
    QStringList names;
    for (const Profile& profile : profiles) {
        if (isDialUpKind(profile.type))
            names.append(profile.id);
    }
    return names;
}

void NetworkManagerBackend::forgetDialledConnections()
{
    m_dialled.clear();
    m_autodialled.clear();
}

NetResult NetworkManagerBackend::listProfiles(QList<Profile>& profiles)
{
    QVariantList reply;
    const NetResult listed = call(SettingsPath, SettingsInterface, QStringLiteral("ListConnections"), {}, reply);
    if (!listed.ok)
        return listed;
    for (const QString& path : objectPaths(reply.value(0))) {
        QVariantList settingsReply;
        if (!call(path, ProfileInterface, QStringLiteral("GetSettings"), {}, settingsReply).ok || settingsReply.isEmpty())
            continue; // removed meanwhile
        SettingsMap settings;
        if (!decode(settingsReply.first(), QLatin1String("a{sa{sv}}"), settings))
            continue;
        const QVariantMap connection = settings.value(QStringLiteral("connection"));
        profiles.append({path, connection.value(QStringLiteral("id")).toString(),
                         connection.value(QStringLiteral("type")).toString(),
                         connection.value(QStringLiteral("autoconnect"), true).toBool()});
    }
    return NetResult::success();
}

NetResult NetworkManagerBackend::activate(const Profile& profile, QString& activePath)
{
    const QVariant none = QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")));
    QVariantList reply;
    const NetResult result = call(ManagerPath, ManagerInterface, QStringLiteral("ActivateConnection"),
                                  {QVariant::fromValue(QDBusObjectPath(profile.path)), none, none}, reply);
    if (result.ok)
        activePath = objectPath(reply.value(0));
    return result;
}

NetResult NetworkManagerBackend::waitUntilActivated(const QString& activePath, const QString& id)
{
    NetResult outcome = NetResult::failure(NetErrorCode::Timeout,
                                           QStringLiteral("Activation of '%1' did not finish in time").arg(id));
    EventSlice::waitUntil(
        [&] {
            QVariantMap active;
            const NetResult read = properties(activePath, ActiveInterface, active);
            if (!read.ok) {
                outcome = NetResult::failure(NetErrorCode::CannotConnect,
                                             QStringLiteral("Activation of '%1' failed: %2").arg(id, read.message));
                return true;
            }
            const uint state = active.value(QStringLiteral("State")).toUInt();
            if (state == ActiveActivated)
                outcome = NetResult::success();
            else if (state > ActiveActivated)
                outcome = NetResult::failure(NetErrorCode::CannotConnect,
                                             QStringLiteral("Activation of '%1' failed").arg(id));
            return state >= ActiveActivated;
        },
        m_dialWaitMsecs);
    return outcome;
}

NetResult NetworkManagerBackend::deactivate(const QString& activePath)
{
    QVariantMap manager;
    const NetResult read = properties(ManagerPath, ManagerInterface, manager);
    if (!read.ok)
        return read;
    if (!objectPaths(manager.value(QStringLiteral("ActiveConnections"))).contains(activePath))
        return NetResult::failure(NetErrorCode::CannotConnect, QStringLiteral("The connection is not active"));
    QVariantList reply;
    return call(ManagerPath, ManagerInterface, QStringLiteral("DeactivateConnection"),
                {QVariant::fromValue(QDBusObjectPath(activePath))}, reply);
}

NetResult NetworkManagerBackend::call(const QString& path, const QString& interface, const QString& method,
                                      const QVariantList& arguments, QVariantList& replyArguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setArguments(arguments);
    // NetworkManager answers within milliseconds; one that does not answer in
    // a few seconds is treated as failed rather than left to freeze the window.
    const QDBusMessage reply = m_bus.call(message, QDBus::Block, SystemBus::kCallTimeoutMsecs);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        replyArguments = reply.arguments();
        return NetResult::success();
    }
    const QDBusError error(reply);
    const bool timedOut = error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout
        || error.type() == QDBusError::TimedOut;
    const QString text = error.message().isEmpty() ? error.name() : error.message();
    qCInfo(lcNet) << method << "on" << path << "failed:" << error.name() << text;
    return NetResult::failure(timedOut ? NetErrorCode::Timeout : NetErrorCode::InternalError, text);
}

NetResult NetworkManagerBackend::properties(const QString& path, const QString& interface, QVariantMap& values)
{
    QVariantList reply;
    const NetResult result = call(path, PropertiesInterface, QStringLiteral("GetAll"), {interface}, reply);
    if (result.ok && (reply.isEmpty() || !decode(reply.first(), QLatin1String("a{sv}"), values)))
        return NetResult::failure(NetErrorCode::InternalError, QStringLiteral("Unexpected answer from ") + path);
    return result;
}

quint32 NetworkManagerBackend::remember(const QString& activePath)
{
    if (++m_lastNumber == 0)
        ++m_lastNumber;
    m_dialled.insert(m_lastNumber, activePath);
    return m_lastNumber;
}
