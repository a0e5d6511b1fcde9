// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/systembus.h"
#include "net/connectionbackend.h"

#include <QDBusConnection>
#include <QHash>
#include <QVariantMap>

// Connections managed by NetworkManager over D-Bus. Dial-up entries are its
// profiles of the dial-up kinds, by id; a connection number stands for an
// active connection this backend brought up itself, so only those can be
// hung up. NetworkManager dials without dialogs, so the dial options
// (unattended, offline button) change nothing here.
class NetworkManagerBackend : public ConnectionBackend
{
public:
    static const QString Service;
    static constexpr int DefaultDialWaitMsecs = 60000;

    explicit NetworkManagerBackend(const QDBusConnection& bus = SystemBus::connection(),
                                   int dialWaitMsecs = DefaultDialWaitMsecs);

    static bool isDialUpKind(const QString& connectionType);

    ConnectedState connectedState() override;
    NetResult dial(const QString& entryName, qint32 flags, quint32& connectionNumber) override;
    NetResult hangUp(quint32 connectionNumber) override;
    NetResult autodial(qint32 flags) override;
    NetResult autodialHangup() override;
    NetResult setGlobalOnline(bool online) override;
    NetResult goOnline(const QString& url) override;
    QStringList dialUpEntries() override;

    // Active connections vanish with NetworkManager; their numbers mean nothing after.
    void forgetDialledConnections();

private:
    struct Profile
    {
        QString path;
        QString id;
        QString type;
        bool autoconnect = true;
    };

    NetResult listProfiles(QList<Profile>& profiles);
    NetResult activate(const Profile& profile, QString& activePath);
    NetResult waitUntilActivated(const QString& activePath, const QString& id);
    NetResult deactivate(const QString& activePath);
    NetResult call(const QString& path, const QString& interface, const QString& method,
                   const QVariantList& arguments, QVariantList& replyArguments);
    NetResult properties(const QString& path, const QString& interface, QVariantMap& values);
    quint32 remember(const QString& activePath);

    QDBusConnection m_bus;
    int m_dialWaitMsecs;
    quint32 m_lastNumber = 0;
    QHash<quint32, QString> m_dialled;
    QString m_autodialled;
};
