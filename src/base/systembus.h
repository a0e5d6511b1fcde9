// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QString>

// The system bus as Korvel uses it. A bus daemon that accepts connections
// and never answers would hold Qt's connection (and so the window, or
// `--status`) for good: its handshake and the greeting every client sends
// first are tried within a short limit, and a bus that falls silent at
// either is left out for the whole run, said once as a warning.
namespace SystemBus {

// How long the daemon may take to answer the handshake and greeting, and each call.
inline constexpr int kHandshakeTimeoutMsecs = 2000;
inline constexpr int kCallTimeoutMsecs = 3000;

// The system bus, or a connection that is not connected when the bus did
// not answer the handshake in time.
QDBusConnection connection();
// Why the bus is left out; empty when it answered (or is simply absent,
// which every user of it reports on its own).
QString problem();

// Whether `service` is on the bus now / can be started by it, each asked
// within kCallTimeoutMsecs; false when the bus does not say so in time.
bool hasOwner(const QDBusConnection& bus, const QString& service);
bool isActivatable(const QDBusConnection& bus, const QString& service);

} // namespace SystemBus
