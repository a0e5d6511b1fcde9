// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clockset/posixclocksetter.h"

#include "clockset/clocksetlog.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace {
constexpr qint64 NsecsPerSec = 1000000000;
} // namespace

ClockSetOutcome PosixClockSetter::adjust(qint64 adjustmentUsec)
{
    timespec now{};
    int result = ::clock_gettime(CLOCK_REALTIME, &now);
    if (result == 0) {
        // Reading and setting back to back keeps the time lost between them to microseconds.
        const qint64 nsecs = qint64(now.tv_sec) * NsecsPerSec + now.tv_nsec + adjustmentUsec * 1000;
        const timespec target{time_t(nsecs / NsecsPerSec), long(nsecs % NsecsPerSec)};
        result = ::clock_settime(CLOCK_REALTIME, &target);
    }
    if (result == 0)
        return {ClockSetOutcome::Kind::Set, {}};
    const int error = errno;
    qCWarning(lcClockSet) << "clock_settime failed:" << std::strerror(error);
    if (error == EPERM)
        return {ClockSetOutcome::Kind::NotAuthorised, QCoreApplication::translate("ClockSetting", "Korvel is not allowed to change the clock")};
    return {ClockSetOutcome::Kind::Failed,
            QCoreApplication::translate("ClockSetting", "the clock was not set: %1").arg(QString::fromLocal8Bit(std::strerror(error)))};
}

QString PosixClockSetter::name() const
{
    return QStringLiteral("clock_settime");
}
