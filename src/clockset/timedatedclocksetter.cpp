// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedclocksetter.h"

#include "base/eventslice.h"
#include "clockset/clocksetlog.h"
#include "clockset/timedatedstate.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <utility>

namespace {

// Room for the bus to report its own time-out before we give up on it.
constexpr int WaitMarginMsecs = 5000;

using Kind = ClockSetOutcome::Kind;

const std::pair<const char*, Kind> KnownErrors[] = {
    {"org.freedesktop.timedate1.AutomaticTimeSyncEnabled", Kind::AutomaticTimeSyncOn},
    {"org.freedesktop.DBus.Error.AccessDenied", Kind::NotAuthorised},
    {"org.freedesktop.DBus.Error.AuthFailed", Kind::NotAuthorised},
    {"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", Kind::NotAuthorised},
    {"org.freedesktop.PolicyKit1.Error.NotAuthorized", Kind::NotAuthorised},
    {"org.freedesktop.PolicyKit1.Error.Cancelled", Kind::NotAuthorised},
    {"org.freedesktop.DBus.Error.ServiceUnknown", Kind::ServiceMissing},
    {"org.freedesktop.DBus.Error.NameHasNoOwner", Kind::ServiceMissing},
    {"org.freedesktop.DBus.Error.Disconnected", Kind::ServiceMissing},
    {"org.freedesktop.systemd1.UnitMasked", Kind::ServiceMissing},
};

// Bus activation failures (timedated not installed or failing to start).
const QString SpawnErrorPrefix = QStringLiteral("org.freedesktop.DBus.Error.Spawn.");

Kind kindOf(const QString& errorName)
{
    for (const auto& [name, kind] : KnownErrors) {
        if (errorName == QLatin1String(name))
            return kind;
    }
    return errorName.startsWith(SpawnErrorPrefix) ? Kind::ServiceMissing : Kind::Failed;
}

QString reasonFor(Kind kind, const QDBusError& error)
{
    switch (kind) {
    case Kind::Set:
        return {};
    case Kind::AutomaticTimeSyncOn:
        return QStringLiteral("automatic network time is on; turn it off in the date and time settings "
                              "to let Korvel set the clock");
    case Kind::NotAuthorised:
        return QStringLiteral("permission to change the clock was refused or the request was dismissed");
    case Kind::ServiceMissing:
        return QStringLiteral("the system's time service (systemd-timedated) is not available");
    case Kind::Failed:
        break;
    }
    const QString detail = error.message().isEmpty() ? error.name() : error.message();
    return QStringLiteral("the system's time service did not set the clock: %1").arg(detail);
}

ClockSetOutcome outcomeOf(const QDBusError& error)
{
    qCWarning(lcClockSet) << "timedated did not set the clock:" << error.name() << error.message();
    const Kind kind = kindOf(error.name());
    return {kind, reasonFor(kind, error)};
}

} // namespace

TimedatedClockSetter::TimedatedClockSetter(const QDBusConnection& bus)
    : m_bus(bus)
{
}

ClockSetOutcome TimedatedClockSetter::adjust(qint64 adjustmentUsec)
{
    QDBusMessage request = QDBusMessage::createMethodCall(TimedatedState::Service, TimedatedState::ObjectPath,
                                                          TimedatedState::Interface, QStringLiteral("SetTime"));
    const bool relative = true;
    const bool interactive = true;
    request << adjustmentUsec << relative << interactive;
    request.setInteractiveAuthorizationAllowed(true);
    // The watcher posts an event when the answer comes, which wakes the wait at
    // once. The authorisation dialog may stay open for minutes: the window
    // meanwhile takes input (its "Set Time" stays disabled) and can be closed.
    const QDBusPendingCallWatcher call(m_bus.asyncCall(request, TimeoutMsecs));
    if (!EventSlice::waitTakingInput([&] { return call.isFinished(); }, TimeoutMsecs + WaitMarginMsecs)) {
        qCWarning(lcClockSet) << "timedated gave no answer in time";
        return {Kind::Failed, QStringLiteral("the system's time service did not answer")};
    }
    if (call.isError())
        return outcomeOf(call.error());
    qCInfo(lcClockSet) << "timedated moved the clock by" << adjustmentUsec << "us";
    return {Kind::Set, {}};
}

QString TimedatedClockSetter::obstacle() const
{
    // Only whether it is there: asking more would start the service.
    if (TimedatedState::probe(m_bus, false).available)
        return {};
    return reasonFor(Kind::ServiceMissing, QDBusError());
}

QString TimedatedClockSetter::name() const
{
    return QStringLiteral("systemd-timedated");
}
