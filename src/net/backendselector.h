// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/systembus.h"
#include "net/connectionbackend.h"
#include "net/kernelroutebackend.h"
#include "net/networkmanagerbackend.h"

#include <QDBusConnection>

#include <memory>

class QDBusServiceWatcher;

// The one place that decides which backend answers: NetworkManager while it
// is on the bus, the kernel's routes otherwise. Asked on every call, so
// NetworkManager may come and go during a run; when it leaves, the numbers
// of connections dialled through it are forgotten.
class BackendSelector : public ConnectionBackend
{
public:
    explicit BackendSelector(const QDBusConnection& bus = SystemBus::connection(),
                             std::unique_ptr<KernelRouteBackend> fallback = std::make_unique<KernelRouteBackend>());
    ~BackendSelector() override;

    // The backend Korvel uses on this system, shared by the wrapper and the probe.
    static std::shared_ptr<ConnectionBackend> createDefault();

    bool networkManagerPresent() const;

    ConnectedState connectedState() override;
    NetResult dial(const QString& entryName, qint32 flags, quint32& connectionNumber) override;
    NetResult hangUp(quint32 connectionNumber) override;
    NetResult autodial(qint32 flags) override;
    NetResult autodialHangup() override;
    NetResult setGlobalOnline(bool online) override;
    NetResult goOnline(const QString& url) override;
    QStringList dialUpEntries() override;

private:
    ConnectionBackend& current();

    QDBusConnection m_bus;
    NetworkManagerBackend m_networkManager;
    std::unique_ptr<KernelRouteBackend> m_fallback;
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
};
