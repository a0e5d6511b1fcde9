// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clocksetoutcome.h"

#include <QString>

// Moves the system clock. One implementation per way the system offers.
class ClockSetter
{
public:
    virtual ~ClockSetter() = default;

    // Moves the system clock by adjustmentUsec microseconds (negative: back).
    // Blocks until done; any wait goes through EventSlice, so the window keeps
    // painting and no user input runs meanwhile.
    virtual ClockSetOutcome adjust(qint64 adjustmentUsec) = 0;

    // A short name for diagnostics: "clock_settime" or "systemd-timedated".
    virtual QString name() const = 0;

    // Why the clock could not be set now, as a status line's reason; empty
    // when nothing is known to stand in the way. Changes nothing.
    virtual QString obstacle() const { return {}; }
};
