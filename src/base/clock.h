// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

// The one source of "now" for Korvel's logic. Tests install their own clock
// so they can move time without touching the machine's clock.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime currentDateTimeUtc() const;
    // Milliseconds on a clock that never jumps; only differences mean anything.
    virtual qint64 monotonicMsecs() const;

    QDateTime currentDateTime() const;
    // Local wall time as a date serial.
    double nowSerial() const;

    static const Clock& instance();
    // Takes no ownership; nullptr restores the system clock.
    static void setInstance(const Clock* clock);
};
