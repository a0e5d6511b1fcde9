// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "schedule/updateretry.h"

#include "base/clock.h"
#include "schedule/updateschedule.h"

#include <algorithm>

void UpdateRetry::failed(bool serversAnswered, const QString& reason, const QString& hoursText)
{
    m_unansweredInARow = serversAnswered ? 0 : m_unansweredInARow + 1;
    m_pauseMinutes = UpdateSchedule::retryPauseMinutes(serversAnswered, m_unansweredInARow, hoursText);
    m_failedAtUtc = Clock::instance().currentDateTimeUtc();
    m_reason = reason;
}

void UpdateRetry::succeeded()
{
    *this = {};
}

qint32 UpdateRetry::scheduledMinutesElapsed(qint32 sinceLastUpdate, const QString& hoursText) const
{
    const QDateTime nowUtc = Clock::instance().currentDateTimeUtc();
    if (!m_failedAtUtc.isValid() || nowUtc < m_failedAtUtc)
        return sinceLastUpdate;
    const qint64 leftSecs = qint64(m_pauseMinutes) * 60 - m_failedAtUtc.secsTo(nowUtc);
    if (leftSecs <= 0)
        return sinceLastUpdate;
    const auto leftMinutes = qint32((leftSecs + 59) / 60);
    return std::min(sinceLastUpdate, UpdateSchedule::intervalMinutes(hoursText) - leftMinutes);
}
