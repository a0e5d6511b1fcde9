// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/clock.h"

#include <QElapsedTimer>

// A clock that stands still until a test moves it, or that runs on from a
// chosen moment with this machine's monotonic clock; installed for its lifetime.
class MockClock : public Clock
{
public:
    explicit MockClock(const QDateTime& utc, bool running = false) : m_utc(utc.toUTC()), m_running(running)
    {
        m_started.start();
        Clock::setInstance(this);
    }
    ~MockClock() override { Clock::setInstance(nullptr); }

    QDateTime currentDateTimeUtc() const override { return m_utc.addMSecs(elapsed()); }
    qint64 monotonicMsecs() const override { return m_monotonic + elapsed(); }

    void advanceMsecs(qint64 msecs)
    {
        m_utc = m_utc.addMSecs(msecs);
        m_monotonic += msecs;
    }

private:
    qint64 elapsed() const { return m_running ? m_started.elapsed() : 0; }

    QDateTime m_utc;
    qint64 m_monotonic = 0;
    bool m_running;
    QElapsedTimer m_started;
};

// Stands still in UTC; its monotonic clock moves a quarter of a second per
// reading. A query reads it as it asks, once connected and as the answer
// comes: a lag of 0.25 s, and an eighth of a second for the estimate.
class SteppingClock : public MockClock
{
public:
    using MockClock::MockClock;
    qint64 monotonicMsecs() const override { return 250 * m_readings++; }

private:
    mutable qint64 m_readings = 0;
};
