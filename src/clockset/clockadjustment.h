#pragma once

#include <QDate>
#include <QDateTime>

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

// False when receivedUtc is before the day Korvel was built: a broken or
// hostile server can send any four bytes, and a count that wrapped in 2036
// lands in 1900.
bool isPlausible(const QDateTime& receivedUtc, QDate buildDay);

// The UTC day this library was configured, honouring SOURCE_DATE_EPOCH.
QDate buildDay();

} // namespace ClockAdjustment
