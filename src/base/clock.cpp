// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/clock.h"

#include "base/dateserial.h"

#include <chrono>

namespace {
const Clock systemClock;
const Clock* currentClock = &systemClock;
}

QDateTime Clock::currentDateTimeUtc() const
{
    return QDateTime::currentDateTimeUtc();
}

qint64 Clock::monotonicMsecs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QDateTime Clock::currentDateTime() const
{
    return currentDateTimeUtc().toLocalTime();
}

double Clock::nowSerial() const
{
    return DateSerial::fromDateTime(currentDateTime());
}

const Clock& Clock::instance()
{
    return *currentClock;
}

void Clock::setInstance(const Clock* clock)
{
    currentClock = clock ? clock : &systemClock;
}
