// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/timedatedclocksetter.h"

#include "clockset/timedatedcall.h"
#include "clockset/timedatedstate.h"

TimedatedClockSetter::TimedatedClockSetter(const QDBusConnection& bus)
    : m_bus(bus)
{
}

ClockSetOutcome TimedatedClockSetter::adjust(qint64 adjustmentUsec)
{
    QDBusMessage request = TimedatedCall::request(QStringLiteral("SetTime"));
    const bool relative = true;
    const bool interactive = true;
    request << adjustmentUsec << relative << interactive;
    // The window keeps "Set Time" disabled while the authorisation is asked.
    return TimedatedCall::call(m_bus, request, QStringLiteral("moved the clock by %1 us").arg(adjustmentUsec));
}

QString TimedatedClockSetter::obstacle() const
{
    // Only whether it is there: asking more would start the service.
    if (TimedatedState::probe(m_bus, false).available)
        return {};
    return TimedatedCall::reason(ClockSetOutcome::Kind::ServiceMissing);
}

QString TimedatedClockSetter::name() const
{
    return QStringLiteral("systemd-timedated");
}
