// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/drifttext.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace DriftText {

namespace {
constexpr double kHoursShownAsHours = 48.0;
constexpr double kMostDays = 30.0;

QString text(const char* source)
{
    return QCoreApplication::translate("ClockDrift", source);
}

// Two significant digits, never fewer than one decimal nor more than four.
QString number(double value)
{
    const double size = std::abs(value);
    const int decimals = size > 0.0 ? std::clamp(1 - int(std::floor(std::log10(size))), 1, 4) : 1;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(size, 'f', decimals);
}
} // namespace

QString sentence(const ClockDrift::Drift& drift)
{
    return (drift.secondsPerDay >= 0 ? text("The clock gains %1 s a day.") : text("The clock loses %1 s a day."))
        .arg(number(drift.secondsPerDay));
}

QString interval(double hours)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (hours < kHoursShownAsHours)
        return text("%1 hours").arg(locale.toString(hours, 'f', 1));
    if (hours / 24.0 < kMostDays)
        return text("%1 days").arg(locale.toString(hours / 24.0, 'f', 1));
    return text("%1 days or more").arg(locale.toString(kMostDays, 'f', 0));
}

QString summary(const std::optional<ClockDrift::Drift>& drift)
{
    if (!drift)
        return text("The drift is not known yet: it takes two updates at least an hour apart that measured the "
                    "clock.");
    const QString rate = drift->secondsPerDay >= 0
        ? text("The clock gains %1 s a day (%2 ppm), give or take %3 s;")
        : text("The clock loses %1 s a day (%2 ppm), give or take %3 s;");
    return rate.arg(number(drift->secondsPerDay), number(std::abs(drift->ppm())), number(drift->uncertainty))
        + u' ' + text("an update every %1 keeps it within half a second.")
                     .arg(interval(ClockDrift::keepingHours(*drift)));
}

} // namespace DriftText
