// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

// The general date text: the user's short date (four-digit year) and long
// time (seconds, no zone). Day zero shows the time alone, midnight the date
// alone. Whatever format() writes, parse() reads back to the same second.
namespace GeneralDate {

QString format(double serial);
// Also accepts a time alone (day zero), 24-hour times and ISO 8601.
// A text that is not a date gives nothing.
std::optional<double> parse(const QString& text);

} // namespace GeneralDate
