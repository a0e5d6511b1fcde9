// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

// What the schedule remembers of updates that did not set the clock, so
// that it does not come back every minute for a reason that a minute does
// not mend (UpdateSchedule::retryPauseMinutes), and so that the failure
// stays in sight until an update sets the clock. "Set Time" asks at once
// whatever it holds.
class UpdateRetry
{
public:
    // An update ended now without setting the clock, for `reason` (a few
    // words); `serversAnswered` is false when no server answered or no
    // connection was found.
    void failed(bool serversAnswered, const QString& reason, const QString& hoursText);
    void succeeded();

    // Why the last update did not set the clock; empty after one that did.
    QString reason() const { return m_reason; }

    // The minutes the schedule counts since the last update: fewer while a
    // failed update's pause lasts, so that the next update falls due, and
    // the countdown ends, as the pause ends. A clock set back ends the pause.
    qint32 scheduledMinutesElapsed(qint32 sinceLastUpdate, const QString& hoursText) const;

private:
    QDateTime m_failedAtUtc;
    qint32 m_pauseMinutes = 0;
    int m_unansweredInARow = 0;
    QString m_reason;
};
