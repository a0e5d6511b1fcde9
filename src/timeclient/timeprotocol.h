// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

// Pure conversions of the Time Protocol (RFC 868) answer and of local time.
namespace TimeProtocol {

inline constexpr int kAnswerLength = 4;
inline constexpr float kMaxLag = 1.0f;

// The 4-byte big-endian count of seconds since 1 January 1900 00:00 UTC as a
// date serial (1 January 1900 is serial 2). The count is unsigned.
// Requires at least 4 bytes; only the first 4 are read.
double BytesToDate(const QByteArray& bytes);

// What one reply means, as date serials: the time the server sent (UTC),
// UTC on arrival (sent plus the one-way lag) and that instant in local time.
struct AnswerTimes
{
    double sent = 0.0;
    double gmt = 0.0;
    double local = 0.0;
};

// Only exactly kAnswerLength received bytes are an answer; any other length
// is a failed attempt and gives nothing. `lag` in seconds, `zoneBias` as for
// GmtToLocal.
std::optional<AnswerTimes> readAnswer(const QByteArray& received, float lag, int zoneBias);

// One-way lag in seconds from the round trip, capped at kMaxLag.
float lagSeconds(qint64 roundTripMsecs);

// Local time from UTC: minus `zoneBias` minutes, calendar minute arithmetic.
double GmtToLocal(double gmt, int zoneBias);

// Minutes to add to the system zone's local time to get UTC at `utc`
// (positive west), daylight saving in effect at that instant included.
int systemZoneBias(const QDateTime& utc);

} // namespace TimeProtocol
