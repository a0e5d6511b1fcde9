#include "app/startuprule.h"

#include "app/commandline.h"
#include "app/optionconversion.h"
#include "app/optionstore.h"
#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/numbertext.h"

#include <algorithm>
#include <limits>

double StartupRule::hoursLeft(int hours, qint32 minutesElapsed)
{
    return hours - minutesElapsed / 60.0;
}

bool StartupRule::leavesAtOnce(int hours, qint32 minutesElapsed, double away)
{
    return away <= hoursLeft(hours, minutesElapsed);
}

std::optional<qint32> StartupRule::minutesSince(const QString& lastUpdate)
{
    const auto serial = GeneralDate::parse(lastUpdate);
    if (!serial)
        return std::nullopt;
    return minutesSince(*serial);
}

qint32 StartupRule::minutesSince(double serial)
{
    const qint64 minutes = DateSerial::minuteDiff(serial, Clock::instance().nowSerial());
    return static_cast<qint32>(std::clamp<qint64>(minutes, std::numeric_limits<qint32>::min(),
                                                   std::numeric_limits<qint32>::max()));
}

StartupState StartupRule::Form_Initialize(OptionStore& store, const QString& commandLine)
{
    StartupState state;
    state.m_sLastUpdate = store.read(Option::LastUpdate);
    const int hours = OptionConversion::wholeNumber(Option::CheckTime, store.read(Option::CheckTime));

    if (const auto minutes = minutesSince(state.m_sLastUpdate)) {
        state.m_lMinutesElapsed = *minutes;
    } else {
        // Not a date: the interval starts over from now.
        state.m_lMinutesElapsed = 0;
        store.write(Option::LastUpdate, GeneralDate::format(Clock::instance().nowSerial()));
        store.sync();
    }

    const QString load = CommandLine::GetCommandLineValue(commandLine, QStringLiteral("Load"),
                                                          QStringLiteral(" "), QString());
    state.m_bStartedWithLoad = !load.isEmpty();
    if (state.m_bStartedWithLoad
        && OptionConversion::wholeNumber(Option::Unload, store.read(Option::Unload)) == 1) {
        const double away = NumberText::leadingNumber(store.read(Option::TimeAway));
        state.leaveAtOnce = leavesAtOnce(hours, state.m_lMinutesElapsed, away);
    }
    return state;
}
