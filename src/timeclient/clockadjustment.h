// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>

#include <optional>

// Whether a time server's answer deserves belief.
namespace ClockAdjustment {

// How many years after the build day a received count may lie.
inline constexpr int kPlausibleYears = 50;

// The UTC time (seconds since the Unix epoch) of a Time Protocol count: the
// 32-bit count of seconds since 1900 rolls over on 7 February 2036, so it is
// read in the era that places it in [buildDay, buildDay + kPlausibleYears).
// Nothing when it lands in no era's window: a broken or hostile server can
// send any four bytes. A count of 0 is the roll-over itself, a time like any
// other when the window holds it; a server that lost its time and sends 0
// is caught by the checks of a large step.
std::optional<qint64> receivedUnixSeconds(quint32 count, QDate buildDay);
// The reading of a count nearest the plausible window, for saying what a
// refused count meant (a count just past the window is shown after it,
// not 136 years before).
qint64 nearestReading(quint32 count, QDate buildDay);

// The UTC day this library was configured, honouring SOURCE_DATE_EPOCH.
QDate buildDay();

} // namespace ClockAdjustment
