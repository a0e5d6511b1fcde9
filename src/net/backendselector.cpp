// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/backendselector.h"

#include "net/netlog.h"

#include <QDBusError>
#include <QDBusServiceWatcher>

BackendSelector::BackendSelector(const QDBusConnection& bus, std::unique_ptr<KernelRouteBackend> fallback)
    : m_bus(bus)
    , m_networkManager(bus)
    , m_fallback(std::move(fallback))
{
    if (!m_bus.isConnected()) {
        qCInfo(lcNet) << "No system bus:" << m_bus.lastError().message();
        return;
    }
    m_watcher = std::make_unique<QDBusServiceWatcher>(NetworkManagerBackend::Service, m_bus,
                                                      QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(m_watcher.get(), &QDBusServiceWatcher::serviceUnregistered, m_watcher.get(), [this] {
        qCInfo(lcNet) << "NetworkManager left the bus";
        m_networkManager.forgetDialledConnections();
    });
}

BackendSelector::~BackendSelector() = default;

std::shared_ptr<ConnectionBackend> BackendSelector::createDefault()
{
    return std::make_shared<BackendSelector>();
}

bool BackendSelector::networkManagerPresent() const
{
    return SystemBus::hasOwner(m_bus, NetworkManagerBackend::Service);
}

ConnectionBackend& BackendSelector::current()
{
    if (networkManagerPresent())
        return m_networkManager;
    // Gone, perhaps before the watcher's news arrived: its connections went with it.
    m_networkManager.forgetDialledConnections();
    return *m_fallback;
}

ConnectedState BackendSelector::connectedState()
{
    return current().connectedState();
}

NetResult BackendSelector::dial(const QString& entryName, qint32 flags, quint32& connectionNumber)
{
    return current().dial(entryName, flags, connectionNumber);
}

NetResult BackendSelector::hangUp(quint32 connectionNumber)
{
    return current().hangUp(connectionNumber);
}

NetResult BackendSelector::autodial(qint32 flags)
{
    return current().autodial(flags);
}

NetResult BackendSelector::autodialHangup()
{
    return current().autodialHangup();
}

NetResult BackendSelector::setGlobalOnline(bool online)
{
    return current().setGlobalOnline(online);
}

NetResult BackendSelector::goOnline(const QString& url)
{
    return current().goOnline(url);
}

QStringList BackendSelector::dialUpEntries()
{
    return current().dialUpEntries();
}
