#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

// How far to move the clock after a time server answered, and whether the
// answer deserves belief.
namespace ClockAdjustment {

// receivedUtcMsecs: the server's whole-second count, in ms since the Unix
// epoch (UTC); lagSeconds: the measured one-way lag; receiptUtcMsecs: the
// PC's UTC clock when the answer arrived. Returns the microseconds to add to
// the PC clock. A Time Protocol server sends the seconds that have begun, so
// the true time lies within the second after the count: aiming at its middle
// halves the average error.
qint64 adjustmentUsec(qint64 receivedUtcMsecs, double lagSeconds, qint64 receiptUtcMsecs);

// How many years after the build day a received count may lie.
inline constexpr int kPlausibleYears = 50;

// The UTC time (seconds since the Unix epoch) of a Time Protocol count: the
// 32-bit count of seconds since 1900 rolls over on 7 February 2036, so it is
// read in the era that places it in [buildDay, buildDay + kPlausibleYears).
// Nothing when it lands in neither era's window, or for 0, which a server
// that has lost its time sends: a broken or hostile server can send any
// four bytes.
std::optional<qint64> receivedUnixSeconds(quint32 count, QDate buildDay);

// The UTC day this library was configured, honouring SOURCE_DATE_EPOCH.
QDate buildDay();

} // namespace ClockAdjustment
