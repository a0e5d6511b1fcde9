// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/systembus.h"
#include "clockset/clocksetter.h"

#include <QDBusConnection>

// Asks systemd-timedated to move the clock. The request is interactive, so
// the desktop's authorisation agent may ask the user first.
class TimedatedClockSetter : public ClockSetter
{
public:
    explicit TimedatedClockSetter(const QDBusConnection& bus = SystemBus::connection());

    ClockSetOutcome adjust(qint64 adjustmentUsec) override;
    QString name() const override;
    QString obstacle() const override;

private:
    QDBusConnection m_bus;
};
