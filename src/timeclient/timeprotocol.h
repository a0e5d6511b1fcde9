// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

// Pure conversions of the Time Protocol (RFC 868) answer and of local time.
namespace TimeProtocol {

// The Time Protocol's port, for a server entry without one.
inline constexpr quint16 kTimePort = 37;
// Seconds from the protocol's epoch (1 January 1900) to the Unix epoch (1970).
inline constexpr qint64 kEpochDifference = 2'208'988'800;
inline constexpr int kAnswerLength = 4;
// How long a question may take from its start to the answer's last byte;
// an answer that took longer says nothing about when the server sent.
inline constexpr int kAnswerLimitMsecs = 1000;
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
