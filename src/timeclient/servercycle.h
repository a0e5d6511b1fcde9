// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The time servers a query moves through when one fails. Each entry is a
// host name, a dotted address or an IPv6 address in brackets, optionally
// followed by ":port"; an entry without a port is asked on the Time
// Protocol's port 37.
namespace ServerCycle {

// Names the built-in cycle when set: one to four entries, comma-separated.
inline constexpr char kEnvironmentVariable[] = "KORVEL_TIME_SERVERS";

struct Entry
{
    QString name;
    std::optional<quint16> port;
};

// Four public servers at different sites that answer TCP port 37.
QStringList builtIn();
// The valid entries of a KORVEL_TIME_SERVERS value; empty entries, bad ports,
// repeated entries and entries past the fourth are dropped with one warning.
QStringList parse(const QString& text);
// The cycle for this run: the environment's entries, else the built-in ones.
QStringList fromEnvironment();

// Splits "name:port" or "[address]:port", without the brackets; a text
// without a valid port suffix is all name.
Entry split(const QString& entry);
// The entry after `host` when `host` is one of the cycle's entries (exact,
// case-sensitive), otherwise `host` itself.
QString successor(const QStringList& cycle, const QString& host);

} // namespace ServerCycle
