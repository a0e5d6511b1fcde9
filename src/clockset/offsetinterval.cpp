// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/offsetinterval.h"

#include <algorithm>
#include <limits>

OffsetInterval OffsetInterval::ofAnswer(qint64 serverSecondUsec, qint64 earliestSentUsec, qint64 latestSentUsec)
{
    return {serverSecondUsec - latestSentUsec, serverSecondUsec + kSecondUsec - earliestSentUsec};
}

OffsetInterval OffsetInterval::intersection(const QList<OffsetInterval>& intervals)
{
    OffsetInterval common{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()};
    for (const OffsetInterval& interval : intervals) {
        common.lowUsec = std::max(common.lowUsec, interval.lowUsec);
        common.highUsec = std::min(common.highUsec, interval.highUsec);
    }
    return common;
}
