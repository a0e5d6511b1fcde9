// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/connectionbackend.h"

// For systems without NetworkManager: the connected state and the LAN flag
// come from the kernel's default route. There is no phone book and nothing
// to dial, so the dialling calls fail with ENOSYS.
class KernelRouteBackend : public ConnectionBackend
{
public:
    explicit KernelRouteBackend(QString ipv4RoutePath = QStringLiteral("/proc/net/route"),
                                QString ipv6RoutePath = QStringLiteral("/proc/net/ipv6_route"));

    ConnectedState connectedState() override;
    NetResult dial(const QString& entryName, qint32 flags, quint32& connectionNumber) override;
    NetResult hangUp(quint32 connectionNumber) override;
    NetResult autodial(qint32 flags) override;
    NetResult autodialHangup() override;
    NetResult setGlobalOnline(bool online) override;
    NetResult goOnline(const QString& url) override;
    QStringList dialUpEntries() override;

private:
    QString m_ipv4RoutePath;
    QString m_ipv6RoutePath;
};
