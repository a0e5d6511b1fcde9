#pragma once

#include "base/clock.h"

// A clock that stands still until a test moves it; installed for its lifetime.
class MockClock : public Clock
{
public:
    explicit MockClock(const QDateTime& utc) : m_utc(utc.toUTC()) { Clock::setInstance(this); }
    ~MockClock() override { Clock::setInstance(nullptr); }

    QDateTime currentDateTimeUtc() const override { return m_utc; }
    qint64 monotonicMsecs() const override { return m_monotonic; }

    void advanceMsecs(qint64 msecs)
    {
        m_utc = m_utc.addMSecs(msecs);
        m_monotonic += msecs;
    }

private:
    QDateTime m_utc;
    qint64 m_monotonic = 0;
};
