// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedcall.h"

#include "base/eventslice.h"
#include "clockset/clocksetlog.h"
#include "clockset/timedatedstate.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusPendingCallWatcher>

#include <utility>

namespace TimedatedCall {

namespace {

// Room for the bus to report its own time-out before we give up on it.
constexpr int kWaitMarginMsecs = 5000;

using Kind = ClockSetOutcome::Kind;

const std::pair<const char*, Kind> kKnownErrors[] = {
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
const QString kSpawnErrorPrefix = QStringLiteral("org.freedesktop.DBus.Error.Spawn.");

Kind kindOf(const QString& errorName)
{
    for (const auto& [name, kind] : kKnownErrors) {
        if (errorName == QLatin1String(name))
            return kind;
    }
    return errorName.startsWith(kSpawnErrorPrefix) ? Kind::ServiceMissing : Kind::Failed;
}

ClockSetOutcome outcomeOf(const QDBusError& error)
{
    qCWarning(lcClockSet) << "timedated refused:" << error.name() << error.message();
    const Kind kind = kindOf(error.name());
    if (kind != Kind::Failed)
        return {kind, reason(kind)};
    const QString detail = error.message().isEmpty() ? error.name() : error.message();
    return {kind, reason(kind) + QStringLiteral(": ") + detail};
}

} // namespace

QDBusMessage request(const QString& method)
{
    return QDBusMessage::createMethodCall(TimedatedState::Service, TimedatedState::ObjectPath,
                                          TimedatedState::Interface, method);
}

ClockSetOutcome call(const QDBusConnection& bus, QDBusMessage request, const QString& done)
{
    request.setInteractiveAuthorizationAllowed(true);
    // The watcher posts an event when the answer comes, which wakes the wait at
    // once. Whatever must not start twice meanwhile is disabled by the caller.
    const QDBusPendingCallWatcher pending(bus.asyncCall(request, kTimeoutMsecs));
    if (!EventSlice::waitTakingInput([&] { return pending.isFinished(); }, kTimeoutMsecs + kWaitMarginMsecs)) {
        qCWarning(lcClockSet) << "timedated gave no answer in time";
        return {Kind::Failed, QCoreApplication::translate("ClockSetting", "the system's time service did not answer")};
    }
    if (pending.isError())
        return outcomeOf(pending.error());
    qCInfo(lcClockSet).noquote() << "timedated" << done;
    return {Kind::Set, {}};
}

QString reason(ClockSetOutcome::Kind kind)
{
    switch (kind) {
    case Kind::Set:
        return {};
    case Kind::AutomaticTimeSyncOn:
        return QCoreApplication::translate("ClockSetting", "network time keeps the clock (automatic network time is on)");
    case Kind::NotAuthorised:
        return QCoreApplication::translate("ClockSetting", "permission to change the clock was refused or the request was dismissed");
    case Kind::ServiceMissing:
        return QCoreApplication::translate("ClockSetting", "the system's time service (systemd-timedated) is not available");
    case Kind::Failed:
        break;
    }
    return QCoreApplication::translate("ClockSetting", "the system's time service did not set the clock");
}

} // namespace TimedatedCall
