#include "clockset/timedatedstate.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {
const QString Service = QStringLiteral("org.freedesktop.timedate1");
constexpr int kCallTimeoutMsecs = 3000;
} // namespace

TimedatedState TimedatedState::probe(const QDBusConnection& bus, bool askAutomaticTimeSync)
{
    TimedatedState state;
    QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon)
        return state;
    state.available = daemon->isServiceRegistered(Service).value()
        || daemon->activatableServiceNames().value().contains(Service);
    if (!state.available || !askAutomaticTimeSync)
        return state;
    QDBusMessage get = QDBusMessage::createMethodCall(Service, QStringLiteral("/org/freedesktop/timedate1"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.timedate1") << QStringLiteral("NTP");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kCallTimeoutMsecs);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        state.automaticTimeSync = qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
    return state;
}
