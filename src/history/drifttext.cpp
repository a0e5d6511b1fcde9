// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/drifttext.h"

#include "base/textformat.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace DriftText {

namespace {
constexpr double kHoursShownAsHours = 48.0;
constexpr double kMostDays = 30.0;

// Sources marked where they are written, so the translator sees them.
QString text(const char* source)
{
    return QCoreApplication::translate("ClockDrift", source);
}

QString decimals(double value, int count)
{
    QLocale locale = TextFormat::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', count);
}

// The size of `value` to two significant digits at most ("1.3", "12",
// "0.012", "0.9"), and whole from a hundred on.
QString number(double value)
{
    const double size = std::abs(value);
    if (size >= 100.0 || size == 0.0)
        return decimals(size, 0);
    if (size >= 1.0) {
        QLocale locale = TextFormat::locale();
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(size, 'g', 2);
    }
    // Without the zeros a rounding leaves at the end: "0.9", not "0.90".
    QString shown = decimals(size, std::min(1 - int(std::floor(std::log10(size))), 6));
    while (shown.endsWith(u'0'))
        shown.chop(1);
    if (shown.endsWith(TextFormat::locale().decimalPoint()))
        shown.chop(1);
    return shown;
}
} // namespace

QString sentence(const ClockDrift::Drift& drift)
{
    return (drift.secondsPerDay >= 0 ? text(QT_TRANSLATE_NOOP("ClockDrift", "The clock gains %1 s a day.")) : text(QT_TRANSLATE_NOOP("ClockDrift", "The clock loses %1 s a day.")))
        .arg(number(drift.secondsPerDay));
}

QString interval(double hours)
{
    if (hours < 1.0)
        return text(QT_TRANSLATE_NOOP("ClockDrift", "%1 minutes")).arg(decimals(hours * 60.0, 0));
    if (hours < kHoursShownAsHours)
        return text(QT_TRANSLATE_NOOP("ClockDrift", "%1 hours")).arg(decimals(hours, 1));
    if (hours / 24.0 < kMostDays)
        return text(QT_TRANSLATE_NOOP("ClockDrift", "%1 days")).arg(decimals(hours / 24.0, 1));
    return text(QT_TRANSLATE_NOOP("ClockDrift", "%1 days or more")).arg(decimals(kMostDays, 0));
}

QString summary(const std::optional<ClockDrift::Drift>& drift)
{
    if (!drift)
        return text(QT_TRANSLATE_NOOP("ClockDrift", "The drift is not known yet: it takes two updates at least an hour apart that measured the "
                    "clock."));
    const QString rate = drift->secondsPerDay >= 0
        ? text(QT_TRANSLATE_NOOP("ClockDrift", "The clock gains %1 s a day (%2 ppm), give or take %3 s;"))
        : text(QT_TRANSLATE_NOOP("ClockDrift", "The clock loses %1 s a day (%2 ppm), give or take %3 s;"));
    return rate.arg(number(drift->secondsPerDay), number(std::abs(drift->ppm())), number(drift->uncertainty))
        + u' ' + text(QT_TRANSLATE_NOOP("ClockDrift", "an update every %1 keeps it within half a second."))
                     .arg(interval(ClockDrift::keepingHours(*drift)));
}

} // namespace DriftText
