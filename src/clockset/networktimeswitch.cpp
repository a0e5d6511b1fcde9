// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/networktimeswitch.h"

#include "base/eventslice.h"
#include "clockset/timedatedcall.h"
#include "clockset/timedatedstate.h"

#include <QDBusServiceWatcher>

namespace {
const QString kNtp = QStringLiteral("NTP");
} // namespace

NetworkTimeSwitch::NetworkTimeSwitch(const QDBusConnection& bus, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
{
    if (!m_bus.isConnected())
        return;
    // Followed before the first reading, so that no change falls between.
    m_bus.connect(TimedatedState::Service, TimedatedState::ObjectPath,
                  QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"), this,
                  SLOT(onPropertiesChanged(QString, QVariantMap, QStringList)));
    auto* watcher =
        new QDBusServiceWatcher(TimedatedState::Service, m_bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &NetworkTimeSwitch::read);
    read();
}

LocalizedText NetworkTimeSwitch::notTurnedLine(bool on, const QString& reason)
{
    return (on ? LocalizedText::translate("NetworkTimeSwitch", "Status: Network time was not turned on: %1")
               : LocalizedText::translate("NetworkTimeSwitch", "Status: Network time was not turned off: %1"))
        .arg(reason);
}

ClockSetOutcome NetworkTimeSwitch::turn(bool on)
{
    if (m_turning)
        return {ClockSetOutcome::Kind::Failed, tr("network time is being changed already")};
    m_turning = true;
    QDBusMessage request = TimedatedCall::request(QStringLiteral("SetNTP"));
    const bool interactive = true;
    request << on << interactive;
    const ClockSetOutcome outcome =
        TimedatedCall::call(m_bus, request, on ? QStringLiteral("turned network time on")
                                               : QStringLiteral("turned network time off"));
    if (outcome.ok() && !EventSlice::waitUntil([this, on] { return m_on == on; }, kSettleMsecs))
        read();
    m_turning = false;
    return outcome;
}

void NetworkTimeSwitch::onPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                            const QStringList& invalidated)
{
    if (interface != TimedatedState::Interface)
        return;
    if (changed.contains(kNtp))
        follow(changed.value(kNtp).toBool());
    else if (invalidated.contains(kNtp))
        read();
}

void NetworkTimeSwitch::read()
{
    if (const std::optional<bool> on = TimedatedState::probe(m_bus, true).automaticTimeSync)
        follow(*on);
}

void NetworkTimeSwitch::follow(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    Q_EMIT ntpChanged(on);
}
