// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>

// Where a server's clock stands against the PC's (server minus PC), in
// microseconds: somewhere in [lowUsec, highUsec). One Time Protocol answer
// pins it to one second; several answers pin it to their intersection.
struct OffsetInterval
{
    static constexpr qint64 kSecondUsec = 1'000'000;

    qint64 lowUsec = 0;
    qint64 highUsec = 0;

    // A server whose whole second `serverSecondUsec` (Unix epoch) had begun
    // when it sent, at a PC time (Unix epoch) no earlier than
    // `earliestSentUsec` and no later than `latestSentUsec`.
    static OffsetInterval ofAnswer(qint64 serverSecondUsec, qint64 earliestSentUsec, qint64 latestSentUsec);
    // What all of `intervals` allow; empty (low >= high) when they disagree.
    static OffsetInterval intersection(const QList<OffsetInterval>& intervals);

    bool isEmpty() const { return lowUsec >= highUsec; }
    bool meets(const OffsetInterval& other) const { return !intersection({*this, other}).isEmpty(); }
    bool holds(const OffsetInterval& other) const { return lowUsec <= other.lowUsec && other.highUsec <= highUsec; }
    qint64 widthUsec() const { return highUsec - lowUsec; }
    qint64 middleUsec() const { return lowUsec + (highUsec - lowUsec) / 2; }
};
