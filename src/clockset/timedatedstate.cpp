// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedstate.h"

#include "base/systembus.h"

#include <QDBusMessage>
#include <QDBusVariant>

TimedatedState TimedatedState::probe(const QDBusConnection& bus, bool askAutomaticTimeSync)
{
    TimedatedState state;
    state.available = SystemBus::hasOwner(bus, Service) || SystemBus::isActivatable(bus, Service);
    if (!state.available || !askAutomaticTimeSync)
        return state;
    QDBusMessage get = QDBusMessage::createMethodCall(Service, ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << Interface << QStringLiteral("NTP");
    const QDBusMessage reply = bus.call(get, QDBus::Block, SystemBus::kCallTimeoutMsecs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        state.automaticTimeSync = qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    return state;
}
