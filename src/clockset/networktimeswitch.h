// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/localizedtext.h"

#include "clockset/clocksetoutcome.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// systemd-timedated's network time switch (its NTP property): read at start,
// followed through its PropertiesChanged, and turned at the user's request.
// timedated leaves the bus when it has been idle for a while, which leaves
// the switch as it was: what it said last holds until it says otherwise, and
// the switch is read again whenever it comes back.
class NetworkTimeSwitch : public QObject
{
    Q_OBJECT

public:
    // How long timedated may take to report a switch it has accepted: the
    // time service starts or stops meanwhile, and until it has stopped
    // timedated still refuses to set the clock.
    static constexpr int kSettleMsecs = 5000;

    explicit NetworkTimeSwitch(const QDBusConnection& bus, QObject* parent = nullptr);

    // Whether the system's network time keeps the clock; nothing while
    // timedated has not said.
    std::optional<bool> isOn() const { return m_on; }

    // Asks timedated to turn network time on or off; the desktop's agent may
    // ask the user first. Returns once timedated reports the new state (or
    // after kSettleMsecs); one change at a time.
    ClockSetOutcome turn(bool on);
    // The status line for a turn that did not happen, and why.
    static LocalizedText notTurnedLine(bool on, const QString& reason);

Q_SIGNALS:
    void ntpChanged(bool on);

private Q_SLOTS:
    void onPropertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void read();

private:
    void follow(bool on);

    QDBusConnection m_bus;
    std::optional<bool> m_on;
    bool m_turning = false;
};
