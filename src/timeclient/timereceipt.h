// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>

// What one answer measured, in the units setting the clock needs: the
// server's count, the one-way lag and the PC's own UTC clock at the moment
// the answer arrived (both as milliseconds since the Unix epoch), and the
// monotonic moments of the question and of the answer, so that answers
// asked at different times can be placed on one time line.
struct TimeReceipt
{
    // The count read as seconds since 1900 (before 2036), as the window shows it.
    qint64 serverUtcMsecs = 0;
    float lagSeconds = 0.0f;
    qint64 receiptUtcMsecs = 0;
    // The 32-bit count as it came, before any reading of its era.
    quint32 count = 0;
    // Monotonic moments: before connecting (where the shown lag starts), once
    // connected (a server sends only after that) and on arrival.
    qint64 askedMonotonicMsecs = 0;
    qint64 connectedMonotonicMsecs = 0;
    qint64 receiptMonotonicMsecs = 0;

    // What arrived for a question asked and connected at the given moments;
    // the answer's moment is read from the clock once, here, for the lag
    // and the UTC time of receipt alike. The count is read only from an
    // answer of exactly four bytes (0 otherwise).
    static TimeReceipt measure(const QByteArray& received, qint64 askedMonotonicMsecs,
                               qint64 connectedMonotonicMsecs);
};
