// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timeprotocol.h"

#include "base/dateserial.h"

#include <QTimeZone>

namespace TimeProtocol {

double BytesToDate(const QByteArray& bytes)
{
    Q_ASSERT(bytes.size() >= kAnswerLength);
    quint32 seconds = 0;
    for (int i = 0; i < kAnswerLength; ++i)
        seconds = (seconds << 8) | quint8(bytes.at(i));
    return double(seconds) / DateSerial::kSecondsPerDay + 2.0;
}

std::optional<AnswerTimes> readAnswer(const QByteArray& received, float lag, int zoneBias)
{
    if (received.size() != kAnswerLength)
        return std::nullopt;
    AnswerTimes times;
    times.sent = BytesToDate(received);
    times.gmt = times.sent + double(lag) / DateSerial::kSecondsPerDay;
    times.local = GmtToLocal(times.gmt, zoneBias);
    return times;
}

float lagSeconds(qint64 roundTripMsecs)
{
    const float lag = float(roundTripMsecs) / 2000.0f;
    return lag > kMaxLag ? kMaxLag : lag;
}

double GmtToLocal(double gmt, int zoneBias)
{
    return DateSerial::addMinutes(gmt, -zoneBias);
}

int systemZoneBias(const QDateTime& utc)
{
    return -QTimeZone::systemTimeZone().offsetFromUtc(utc) / 60;
}

} // namespace TimeProtocol
