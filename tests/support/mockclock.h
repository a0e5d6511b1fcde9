#pragma once

#include "base/clock.h"

// A clock that stands still until a test moves it; installed for its lifetime.
class MockClock : public Clock
{
public:
    explicit MockClock(const QDateTime& utc);
    ~MockClock() override;

    QDateTime currentDateTimeUtc() const override;
    qint64 monotonicMsecs() const override;

    void advanceMsecs(qint64 msecs);

private:
    QDateTime m_utc;
    qint64 m_monotonic = 0;
};
