// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Numbers read from and written for the user.
namespace NumberText {

// The leading numeric part of a text after leading blanks, with the period
// or the locale's decimal separator: "2.5" is 2.5, "abc" is 0, and "2,5"
// is 2.5 under German but 2 under English.
double leadingNumber(const QString& text);

// Pattern "0.0": one decimal, rounded, the user's decimal separator.
QString oneDecimal(double value);
// A single-precision value in general form: at most 7 significant digits,
// no trailing zeros, the user's decimal separator (0.125 -> "0.125", 1 -> "1").
QString generalSingle(float value);
// The shortest general form of a double (60000 / 1000 -> "60").
QString generalDouble(double value);

} // namespace NumberText
