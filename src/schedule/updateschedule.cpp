// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "schedule/updateschedule.h"

#include "base/numbertext.h"
#include "options/optionconversion.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace UpdateSchedule {

namespace {
QString nextUpdateIn(const QString& timeLeft)
{
    return QCoreApplication::translate("Schedule", "Next update is in %1").arg(timeLeft);
}

double hoursLeft(const QString& hoursText, qint32 minutesElapsed)
{
    return hours(hoursText) - minutesElapsed / 60.0;
}
} // namespace

double hours(const QString& hoursText)
{
    return std::max(NumberText::leadingNumber(hoursText), MinimumHours);
}

QString hoursText(const QString& typed)
{
    // The period, as the field is read whatever the locale, and never an
    // exponent, which the field's reading stops at: the fewest digits that
    // read back as the same number.
    return QString::number(hours(typed), 'f', QLocale::FloatingPointShortest);
}

QString timeLeft(const QString& hoursText, qint32 minutesElapsed, int timerIntervalMsecs, bool periodAfterSeconds)
{
    const double minutesLeft = hours(hoursText) * 60.0 - minutesElapsed;
    if (minutesLeft > 60.0)
        return QCoreApplication::translate("Schedule", "%1 hours")
            .arg(NumberText::oneDecimal(hoursLeft(hoursText, minutesElapsed)));
    if (minutesLeft >= 1.0)
        return QCoreApplication::translate("Schedule", "%1 minutes").arg(NumberText::oneDecimal(minutesLeft));
    const QString seconds = NumberText::generalDouble(timerIntervalMsecs / 1000.0);
    return periodAfterSeconds ? QCoreApplication::translate("Schedule", "%1 seconds.", "at the end of a sentence").arg(seconds)
                              : QCoreApplication::translate("Schedule", "%1 seconds").arg(seconds);
}

Countdown countdown(Variant variant, const QString& caption, const QString& hoursText, qint32 minutesElapsed,
                    int timerIntervalMsecs, const QString& failure, bool held)
{
    const QString shown = timeLeft(hoursText, minutesElapsed, timerIntervalMsecs, variant == Variant::LeaveHours);
    if (variant == Variant::AtLoad)
        return {caption + QStringLiteral(" - ") + nextUpdateIn(shown), QString()};

    // The load step put " - " after the design caption: only what follows
    // the first "-" is replaced. A caption without one is kept whole.
    const qsizetype dash = caption.indexOf(u'-');
    const QString before = dash < 0 ? caption + QStringLiteral(" ") : caption.left(dash);
    const QString left = timeLeft(hoursText, minutesElapsed, timerIntervalMsecs);
    QString tip = QCoreApplication::translate("Schedule", "Korvel - Next update is in %1").arg(left);
    if (held)
        tip = QCoreApplication::translate("Schedule", "Korvel - Automatic updates wait for \"Set Time\"");
    else if (!failure.isEmpty())
        tip = QCoreApplication::translate("Schedule", "Korvel - Clock not set: %1. Next check in %2").arg(failure, left);
    return {before + QStringLiteral("- ") + nextUpdateIn(shown), tip};
}

bool isDue(const QString& hoursText, qint32 minutesElapsed)
{
    return hours(hoursText) <= minutesElapsed / 60.0;
}

bool isDueForDialling(const QString& hoursText, qint32 minutesElapsed)
{
    return hours(hoursText) * 60.0 - minutesElapsed <= 1.0;
}

bool leaves(const QString& awayText, const QString& hoursText, qint32 minutesElapsed)
{
    return NumberText::leadingNumber(awayText) <= hoursLeft(hoursText, minutesElapsed);
}

qint32 intervalMinutes(const QString& hoursText)
{
    // Any number of hours may be typed.
    return qint32(std::min(std::ceil(hours(hoursText) * 60.0), double(std::numeric_limits<qint32>::max())));
}

qint32 retryPauseMinutes(bool serversAnswered, int unansweredInARow, const QString& hoursText)
{
    const qint32 interval = intervalMinutes(hoursText);
    if (serversAnswered)
        return interval;
    // Doubling past the interval would overflow long before a year of minutes.
    const int doublings = std::clamp(unansweredInARow - 1, 0, 20);
    return std::min(qint32(1) << doublings, interval);
}

TickAction tickAction(const TickState& state)
{
    if (state.startedWithLoad && OptionConversion::acts(state.unload)
        && leaves(state.awayText, state.hoursText, state.minutesElapsed))
        return TickAction::Leave;
    if (ticksOn(state) && !state.automaticUpdatesHeld && isDue(state.hoursText, state.minutesElapsed))
        return TickAction::Update;
    return TickAction::Wait;
}

bool ticksOn(const TickState& state)
{
    return OptionConversion::acts(state.automaticUpdates);
}

bool leavesAfterUpdate(const TickState& state, bool outOfSight)
{
    return state.startedWithLoad && outOfSight && !OptionConversion::enables(state.automaticUpdates);
}

} // namespace UpdateSchedule
