// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup/startuprule.h"

#include "base/clock.h"
#include "options/optionconversion.h"
#include "options/optionstore.h"
#include "schedule/lastupdatetext.h"
#include "schedule/updateschedule.h"
#include "startup/commandline.h"

#include <algorithm>
#include <limits>

namespace {
qint64 wholeMinutes(const QDateTime& instant)
{
    const qint64 seconds = instant.toSecsSinceEpoch();
    return seconds / 60 - (seconds % 60 < 0 ? 1 : 0);
}
} // namespace

std::optional<qint32> StartupRule::minutesSince(const QString& lastUpdate)
{
    const auto instant = LastUpdateText::instant(lastUpdate);
    if (!instant)
        return std::nullopt;
    return minutesSince(*instant);
}

qint32 StartupRule::minutesSince(const QDateTime& instant)
{
    // Counted in UTC: local time repeats an hour when summer time ends.
    const qint64 minutes = wholeMinutes(Clock::instance().currentDateTimeUtc()) - wholeMinutes(instant);
    if (minutes < 0)
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::min<qint64>(minutes, std::numeric_limits<qint32>::max()));
}

StartupRule::LastUpdateReading StartupRule::readLastUpdate(OptionStore& store)
{
    LastUpdateReading reading;
    reading.text = store.read(Option::LastUpdate);
    if (const auto minutes = minutesSince(reading.text)) {
        reading.minutesElapsed = *minutes;
        reading.wasDate = true;
    } else {
        store.write(Option::LastUpdate, LastUpdateText::stored(Clock::instance().currentDateTimeUtc()));
        store.sync();
    }
    return reading;
}

StartupState StartupRule::Form_Initialize(OptionStore& store, const QString& commandLine)
{
    StartupState state;
    const LastUpdateReading lastUpdate = readLastUpdate(store);
    state.m_sLastUpdate = lastUpdate.text;
    state.m_lMinutesElapsed = lastUpdate.minutesElapsed;

    const QString load = CommandLine::GetCommandLineValue(commandLine, QStringLiteral("Load"),
                                                          QStringLiteral(" "), QString());
    state.m_bStartedWithLoad = !load.isEmpty();
    if (state.m_bStartedWithLoad
        && OptionConversion::acts(OptionConversion::checkState(Option::Unload, store.read(Option::Unload)))) {
        state.leaveAtOnce = UpdateSchedule::leaves(store.read(Option::TimeAway), store.read(Option::CheckTime),
                                                   state.m_lMinutesElapsed);
    }
    return state;
}
