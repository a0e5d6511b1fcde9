// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>

#include <optional>

// What systemd-timedated says about itself, so Korvel can tell before a set
// fails why it would.
struct TimedatedState
{
    // Where timedated answers on the system bus.
    static inline const QString Service = QStringLiteral("org.freedesktop.timedate1");
    static inline const QString ObjectPath = QStringLiteral("/org/freedesktop/timedate1");
    static inline const QString Interface = QStringLiteral("org.freedesktop.timedate1");

    // Running, or started by the bus on the first call.
    bool available = false;
    // Its NTP switch; empty when not asked or not answered.
    std::optional<bool> automaticTimeSync;

    // Asking for the NTP switch starts the service when it is not running.
    static TimedatedState probe(const QDBusConnection& bus, bool askAutomaticTimeSync);
};
