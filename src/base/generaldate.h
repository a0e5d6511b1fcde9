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
