// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clocksetter.h"

#include <QList>

// A clock that is never the machine's: records each adjustment and answers
// with the outcome a test sets.
class FakeClockSetter : public ClockSetter
{
public:
    ClockSetOutcome answer{ClockSetOutcome::Kind::Set, {}};
    QList<qint64> adjustments;

    ClockSetOutcome adjust(qint64 adjustmentUsec) override
    {
        adjustments.append(adjustmentUsec);
        return answer;
    }
    QString name() const override { return QStringLiteral("fake"); }
};
