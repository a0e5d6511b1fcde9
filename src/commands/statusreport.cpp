// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/statusreport.h"

#include "base/systembus.h"
#include "history/drifttext.h"
#include "history/updatehistory.h"
#include "net/backendselector.h"
#include "net/cnetconnect.h"
#include "net/dialupentries.h"
#include "options/optionconversion.h"
#include "options/optionstore.h"
#include "schedule/updateschedule.h"
#include "startup/startuprule.h"
#include "timeclient/servercycle.h"

#include <QCoreApplication>

#include <algorithm>

namespace StatusReport {

namespace {
// What all the connectivity test's web sites may take together.
constexpr int kTestSitesMsecs = 15000;

QString connectionLine(const Facts& facts)
{
    if (!facts.connected)
        return QStringLiteral("Connection: not connected");
    if (facts.connectionKind.isEmpty())
        return QStringLiteral("Connection: connected");
    return QStringLiteral("Connection: connected (%1)").arg(facts.connectionKind);
}

QString dialUpLine(const Facts& facts)
{
    if (!facts.networkManager)
        return QStringLiteral("Dial-up: not supported (NetworkManager is not running)");
    const QString entries =
        facts.dialUpEntries.isEmpty() ? QStringLiteral("none") : facts.dialUpEntries.join(QStringLiteral(", "));
    return QStringLiteral("Dial-up: supported through NetworkManager; entries: ") + entries;
}

QString networkTimeText(const Facts& facts)
{
    if (!facts.timedated.automaticTimeSync)
        return {};
    if (!*facts.timedated.automaticTimeSync)
        return QStringLiteral("; automatic network time is off");
    return QStringLiteral("; network time keeps the clock (automatic network time is on): \"Set Time\" offers to "
                          "turn it off and take over, and automatic updates only check the clock, once per interval");
}

QString clockLine(const Facts& facts)
{
    using ClockSetterSelector::ClockBackend;
    if (ClockSetterSelector::choose(facts.holdsClockCapability) == ClockBackend::ClockSettime)
        return QStringLiteral("Clock: set directly (this process holds CAP_SYS_TIME)") + networkTimeText(facts);
    const QString line = QStringLiteral("Clock: set through systemd-timedated (CAP_SYS_TIME not held); timedated ");
    if (!facts.timedated.available)
        return line + QStringLiteral("is not available, so the clock cannot be set");
    return line + QStringLiteral("is available") + networkTimeText(facts);
}
} // namespace

QString nextUpdate(OptionStore& store)
{
    if (!OptionConversion::acts(OptionConversion::checkState(Option::CheckEvery, store.read(Option::CheckEvery))))
        return QStringLiteral("automatic updates are off");
    const QString hours = store.read(Option::CheckTime);
    const auto minutes = StartupRule::minutesSince(store.read(Option::LastUpdate));
    if (!minutes)
        return QStringLiteral("in ") + UpdateSchedule::timeLeft(hours, 0, UpdateSchedule::kTickMsecs)
            + QStringLiteral(" (the last update is not a date and counts from the next start)");
    if (UpdateSchedule::isDue(hours, *minutes))
        return QStringLiteral("due now: the next start updates the clock");
    return QStringLiteral("in ") + UpdateSchedule::timeLeft(hours, *minutes, UpdateSchedule::kTickMsecs);
}

Facts gather(OptionStore& store)
{
    Facts facts;
    auto backend = std::make_shared<BackendSelector>();
    facts.systemBusProblem = SystemBus::problem();
    facts.networkManager = backend->networkManagerPresent();
    CNetConnect probe(backend);
    const qsizetype sites = std::max<qsizetype>(1, probe.KnownTestSites().size());
    probe.setProbeTimeoutMsecs(
        int(std::min<qsizetype>(CNetConnect::kDefaultProbeTimeoutMsecs, kTestSitesMsecs / sites)));
    const CNetConnect::Reading reading = probe.Read();
    facts.connected = reading.connected;
    facts.connectionKind = reading.modeDesc;
    DialUpEntries::DUN_Services(facts.dialUpEntries, *backend);
    facts.holdsClockCapability = ClockSetterSelector::holdsSysTimeCapability();
    facts.timedated = TimedatedState::probe(SystemBus::connection(), true);
    facts.timeServers = ServerCycle::fromEnvironment();
    facts.settingsFile = store.fileName();
    facts.settingsProblem = store.readProblem();
    for (const OptionKey& key : Option::all)
        facts.options.append({QLatin1String(key.name), store.read(key)});
    facts.nextUpdate = nextUpdate(store);
    facts.drift = DriftText::summary(ClockDrift::of(UpdateHistory().read().records));
    return facts;
}

QStringList lines(const Facts& facts)
{
    QStringList report;
    if (!facts.systemBusProblem.isEmpty())
        report << QStringLiteral("System bus: ") + facts.systemBusProblem;
    report << connectionLine(facts) << dialUpLine(facts) << clockLine(facts);
    report << QStringLiteral("Time servers: ") + facts.timeServers.join(QStringLiteral(", "))
            + (facts.timeServers.size() == 1
                   ? QStringLiteral(" (the next update asks this one server; a step of more than a day it "
                                    "must confirm 4 seconds later)")
                   : QStringLiteral(" (the next update asks each of these %1 once and sets the clock only "
                                    "when their answers agree)")
                         .arg(facts.timeServers.size()));
    QStringList options;
    for (const auto& [key, value] : facts.options)
        options << key + u'=' + value;
    if (!facts.settingsProblem.isEmpty())
        report << facts.settingsProblem;
    const QString file = facts.settingsFile.isEmpty() ? QStringLiteral("not kept") : facts.settingsFile;
    report << QStringLiteral("Options (%1): ").arg(file) + options.join(QStringLiteral(", "));
    report << QStringLiteral("Next automatic update: ") + facts.nextUpdate;
    report << QCoreApplication::translate("StatusReport", "Drift: %1").arg(facts.drift);
    return report;
}

} // namespace StatusReport
