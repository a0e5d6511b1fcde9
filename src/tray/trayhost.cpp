// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tray/trayhost.h"

#include "tray/traylog.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {
constexpr int kCallTimeoutMsecs = 1000;

TrayHost::Kind ask(const QDBusConnection& bus)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierWatcher") << QStringLiteral("IsStatusNotifierHostRegistered");
    // No session bus or no watcher is the plain X11 desktop.
    const QDBusMessage reply = bus.call(get, QDBus::Block, kCallTimeoutMsecs);
    const bool hosted = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
    return hosted ? TrayHost::Kind::StatusNotifier : TrayHost::Kind::XEmbed;
}
} // namespace

TrayHost::Kind TrayHost::current()
{
    static const Kind kind = [] {
        const Kind asked = ask(QDBusConnection::sessionBus());
        qCDebug(lcTray) << "Tray host:" << (asked == Kind::StatusNotifier ? "StatusNotifierItem" : "XEmbed");
        return asked;
    }();
    return kind;
}
