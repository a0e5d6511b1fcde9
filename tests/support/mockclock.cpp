#include "support/mockclock.h"

MockClock::MockClock(const QDateTime& utc)
    : m_utc(utc.toUTC())
{
    Clock::setInstance(this);
}

MockClock::~MockClock()
{
    Clock::setInstance(nullptr);
}

QDateTime MockClock::currentDateTimeUtc() const
{
    return m_utc;
}

qint64 MockClock::monotonicMsecs() const
{
    return m_monotonic;
}

void MockClock::advanceMsecs(qint64 msecs)
{
    m_utc = m_utc.addMSecs(msecs);
    m_monotonic += msecs;
}
