// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clocksetter.h"

// Sets the clock directly; works only while the process holds CAP_SYS_TIME.
class PosixClockSetter : public ClockSetter
{
public:
    ClockSetOutcome adjust(qint64 adjustmentUsec) override;
    QString name() const override;
};
