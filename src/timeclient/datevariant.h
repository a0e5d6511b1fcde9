// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QVariant>

#include <optional>

// How KorvelControl's GMTTime and LocalTime hold their values. Until a date is
// set they hold the 16-bit integer 0 (QMetaType::Short). A date is a QDateTime
// whose wall-clock fields are the date and time, with Qt::UTC as its kind, so
// it never shifts with the machine's zone; which zone the fields mean depends
// on the property. A date is told apart from the number 0 by its type.
namespace DateVariant {

// The value of a property that holds no date yet.
QVariant zero();
bool isDateValue(const QVariant& value);

QVariant fromSerial(double serial);
// The date serial of a date-compatible value: a date (QDateTime, QDate), a
// number (taken as a serial, years 100 to 9999) or a date text (general date form or ISO 8601).
// Anything else, including an invalid date, gives nothing.
std::optional<double> toSerial(const QVariant& value);

// True for a number equal to 0 or the text "0" (how a settings file gives
// it back): the default of LastError, GMTTime and LocalTime.
bool isZero(const QVariant& value);

} // namespace DateVariant
