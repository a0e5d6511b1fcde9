// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "update/clockupdate.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "base/textformat.h"
#include "clockset/clocksetter.h"
#include "clockset/networktimeswitch.h"
#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "options/optionstore.h"
#include "schedule/lastupdatetext.h"
#include "schedule/updateschedule.h"
#include "timeclient/timeestimator.h"
#include "timeclient/timequestion.h"
#include "update/dialupsession.h"
#include "update/updatereport.h"

#include <QLocale>
#include <QScopedValueRollback>

#include <cstdlib>

namespace {
const char* const kNamePrompt = QT_TRANSLATE_NOOP(
    "ClockUpdate",
    "Please enter the name of the connection you are using so Korvel can look for it next time. This "
    "information can be found in the title bar of your connection. It will say 'Connected to XXXXXX'"
    "\n\n\nPlease type in just the XXXXXX part.");

using Kind = ClockSetOutcome::Kind;

// Seconds with three decimals, the user's decimal separator and no grouping.
QString seconds(qint64 usec)
{
    QLocale locale = TextFormat::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(double(usec) / 1e6, 'f', 3);
}

// Why the clock was not set, in the few words of the result caption and the tray tip.
QString failureOf(Kind kind)
{
    switch (kind) {
    case Kind::AutomaticTimeSyncOn:
        return ClockUpdate::tr("network time keeps it");
    case Kind::NotAuthorised:
        return ClockUpdate::tr("permission was refused");
    case Kind::ServiceMissing:
        return ClockUpdate::tr("no time service to set it");
    case Kind::Set:
    case Kind::Failed:
        break;
    }
    return ClockUpdate::tr("the time service did not set it");
}

qint64 ceilingMsecs(qint64 usec)
{
    return (usec + 999) / 1000;
}

// Asks as the estimator does, noting each server that answers.
TimeEstimator::Asker notingAnswers(QStringList& answered)
{
    return [&answered](const QString& entry, int limitMsecs) {
        auto receipt = TimeQuestion::ask(entry, limitMsecs);
        if (receipt && !answered.contains(entry))
            answered << entry;
        return receipt;
    };
}
} // namespace

ClockUpdate::ClockUpdate(KorvelControl& korvel, ClockSetter& clockSetter, NetworkTimeSwitch& networkTime,
                         DialUpSession& dialUp, OptionStore& store, UpdateReport& report, QDate buildDay,
                         QObject* parent)
    : QObject(parent)
    , m_buildDay(buildDay)
    , m_korvel(korvel)
    , m_clockSetter(clockSetter)
    , m_networkTime(networkTime)
    , m_dialUp(dialUp)
    , m_store(store)
    , m_report(report)
{
}

ClockUpdate::Result ClockUpdate::run(const Request& request)
{
    // Every update and check is recorded, at the servers' time when it measured.
    const QDateTime began = Clock::instance().currentDateTimeUtc();
    m_record = {};
    m_record.askedByUser = request.askedBy == AskedBy::User;
    const Result result = update(request);
    m_record.utc = began.addMSecs(-m_record.offsetUsec.value_or(0) / 1000);
    for (const QString& line : m_history.append(m_record))
        m_report.addStatusLine(line);
    return result;
}

ClockUpdate::Result ClockUpdate::update(const Request& request)
{
    const QScopedValueRollback<bool> busy(m_busy, true);
    m_request = request;
    m_result = {};
    // The user's own press lifts the hold on automatic updates.
    if (request.askedBy == AskedBy::User && m_held) {
        m_held = false;
        Q_EMIT automaticUpdatesHeldChanged();
    }
    m_report.keepFailure({});
    m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Looking for a connection..."));
    if (!findConnection(request)) {
        notSet(tr("no connection"));
        return m_result;
    }
    m_report.setSetTimeEnabled(false);
    m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Attmpting to contact time server..."));
    m_report.showResult(tr("Trying to get time..."));
    m_result.outcome = Outcome::QueryFailed;
    if (const std::optional<KorvelControl::Answer> answer = m_korvel.GetTime())
        answered(*answer);
    else
        notAnswered();
    return m_result;
}

bool ClockUpdate::findConnection(const Request& request)
{
    const CNetConnect::Reading reading = m_dialUp.netConnect().Read();
    if (reading.connected) {
        m_report.addStatusLine(ConnectCommands::connectStatusLine(true, reading.modeDesc));
        m_dialUp.connectionFound();
        return true;
    }
    m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Not Connected."));
    if (request.autoConnect) {
        if (!UpdateSchedule::isDueForDialling(request.hoursText, request.minutesElapsed))
            return false;
        m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Attempting to Connect..."));
        m_dialUp.Connect(request.entryName);
    } else {
        if (!m_report.inSight() || m_askedForConnection)
            return false;
        if (!m_report.askYesNo(tr("No Connection"),
                               tr("No connection to the internet found. Are you connected?"))) {
            m_askedForConnection = true;
            return false;
        }
        askForConnectionName();
    }
    // Dialling or naming the connection may have changed what is up.
    return m_dialUp.netConnect().Read().connected;
}

void ClockUpdate::askForConnectionName()
{
    const QString answer = m_report.askText(tr("Name the connection"), tr(kNamePrompt));
    m_store.write(Option::Connection, answer);
    if (const QString problem = m_store.sync(); !problem.isEmpty())
        m_report.addStatusLine(problem);
    m_askedForConnection = true;
    m_report.addConnectionName(answer);
}

void ClockUpdate::answered(const KorvelControl::Answer& answer)
{
    m_appliedText.clear();
    // Asks the other servers and checks the answers before anything is shown.
    QStringList answering{answer.host};
    const UpdateEstimate estimate = TimeEstimator(m_korvel.serverCycle(), m_buildDay, notingAnswers(answering))
                                        .estimate(answer.receipt, answer.host, answer.askedHosts);
    noteMeasurement(estimate, answering, answer.receipt.lagSeconds);
    m_result.outcome = Outcome::NotSet;
    if (!estimate.adjustmentUsec) {
        m_report.setSetTimeEnabled(true);
        m_report.addStatusLine(estimate.refusal);
        m_report.keepFailure(estimate.refusal.shown());
        notSet(tr("the answers were not trusted"));
        return;
    }
    // The first answer as received, in the era it belongs to.
    const double eraShift = double(estimate.eraShiftSeconds) / DateSerial::kSecondsPerDay;
    const double local = answer.localSerial + eraShift;
    const QDateTime utc = DateSerial::toDateTime(answer.gmtSerial + eraShift);
    const QString localText = GeneralDate::format(local);
    m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Time Received."));
    m_report.showResult(tr(" %1\n  Network Lagtime = %2", "the time received, then the time its answer took")
                            .arg(localText, answer.lagText));
    for (const LocalizedText& note : estimate.notes)
        m_report.addStatusLine(note);
    // "Set Time" stays off while the clock is set: an authorisation may take
    // minutes, and no tick may start a second update meanwhile.
    const ClockSetOutcome outcome = putOnClock(*estimate.adjustmentUsec);
    m_report.setSetTimeEnabled(true);
    if (!outcome.ok()) {
        reportCheck(estimate, outcome);
        return;
    }
    m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: The clock is now within %1 ms of the time servers.")
                               .arg(TextFormat::locale().toString(ceilingMsecs(estimate.uncertaintyUsec))));
    // Stored in UTC: the received local time is read with the zone's offset
    // of the moment the component was made.
    m_appliedText = LastUpdateText::stored(utc);
    m_result = {Outcome::Applied, local, {}, utc};
    m_record.outcome = HistoryRecord::Outcome::Set;
    if (m_request.beep)
        m_report.beep();
    writeLastUpdate(m_appliedText);
    m_report.addStatusLine(LastUpdateText::statusLine(m_appliedText));
    if (m_request.disconnectWhenDone)
        m_dialUp.HangUpAfterUpdate();
}

ClockSetOutcome ClockUpdate::putOnClock(qint64 adjustmentUsec)
{
    // The adjustment is relative: the time the user takes to answer does not
    // make the clock late.
    bool offered = false;
    if (m_networkTime.isOn().value_or(false)) {
        if (!takeOver())
            return {Kind::AutomaticTimeSyncOn, {}};
        offered = true;
    }
    ClockSetOutcome outcome = m_clockSetter.adjust(adjustmentUsec);
    // Network time came on unseen: the same offer, once.
    if (outcome.kind == Kind::AutomaticTimeSyncOn && !offered && takeOver())
        outcome = m_clockSetter.adjust(adjustmentUsec);
    return outcome;
}

bool ClockUpdate::takeOver()
{
    // Only the user's own press asks; the schedule checks instead.
    if (m_request.askedBy != AskedBy::User || !m_report.inSight())
        return false;
    if (!m_report.askChoice(tr("Network Time"),
                            tr("Network time keeps this PC's clock, so Korvel may not set it.\n\nKorvel can turn "
                               "network time off and keep the clock itself; the system may ask for permission. The "
                               "time just received is then put on the clock."),
                            tr("Turn Off Network Time"), tr("Leave Network Time On")))
        return false;
    const ClockSetOutcome off = m_networkTime.turn(false);
    if (!off.ok())
        m_report.addStatusLine(NetworkTimeSwitch::notTurnedLine(false, off.reason));
    return off.ok();
}

void ClockUpdate::reportCheck(const UpdateEstimate& estimate, const ClockSetOutcome& outcome)
{
    // Network time keeping the clock is no fault: the offset says it all.
    const bool networkTimeKeeps = outcome.kind == Kind::AutomaticTimeSyncOn;
    if (!networkTimeKeeps)
        m_report.addStatusLine(LocalizedText::translate("ClockUpdate", "Status: Clock not set: %1").arg(outcome.reason));
    const qint64 pcAheadUsec = -*estimate.adjustmentUsec;
    const LocalizedText line =
        (pcAheadUsec >= 0 ? LocalizedText::translate("ClockUpdate", "The PC clock is %1 s ahead of the time servers (±%2 s); %3")
                          : LocalizedText::translate("ClockUpdate", "The PC clock is %1 s behind the time servers (±%2 s); %3"))
            .arg(seconds(std::abs(pcAheadUsec)))
            .arg(seconds(estimate.uncertaintyUsec))
            .arg(networkTimeKeeps ? LocalizedText::translate("ClockUpdate", "network time keeps it.")
                                  : LocalizedText::translate("ClockUpdate", "the clock was not changed."));
    m_report.addStatusLine(line);
    m_report.keepFailure(line.shown());
    notSet(failureOf(outcome.kind));
    if (networkTimeKeeps)
        m_record.outcome = HistoryRecord::Outcome::Checked;
    if (outcome.kind == Kind::NotAuthorised && m_request.askedBy == AskedBy::Schedule) {
        m_held = true;
        m_report.addStatusLine(
            LocalizedText::translate("ClockUpdate", "Status: Automatic updates will not ask again until you press \"Set Time\"."));
        Q_EMIT automaticUpdatesHeldChanged();
    }
}

void ClockUpdate::notSet(const QString& failure)
{
    m_result.failure = failure;
    m_record.outcome = HistoryRecord::Outcome::NotSet;
    m_record.reason = failure;
    // The reason on a line of its own, so that it fits the caption whole.
    m_report.showNotSet(tr(" Clock not set:\n  %1").arg(failure));
}

void ClockUpdate::notAnswered()
{
    m_report.setSetTimeEnabled(true);
    m_report.addStatusLine(
        LocalizedText::translate("ClockUpdate", "Can't Get Time please check your connection to the internet and retry."), false);
    notSet(tr("no time server answered"));
    m_record.outcome = HistoryRecord::Outcome::NoAnswer;
}

void ClockUpdate::noteMeasurement(const UpdateEstimate& estimate, const QStringList& answered, double lagSeconds)
{
    m_record.servers = answered;
    m_record.lagSeconds = lagSeconds;
    if (estimate.adjustmentUsec) {
        m_record.offsetUsec = -*estimate.adjustmentUsec;
        m_record.uncertaintyUsec = estimate.uncertaintyUsec;
    }
}

void ClockUpdate::rewriteLastUpdate()
{
    // Only a received time that was put on the clock counts as an update; it
    // was said as it was put there.
    if (!m_appliedText.isEmpty())
        writeLastUpdate(m_appliedText);
}

void ClockUpdate::writeLastUpdate(const QString& text)
{
    m_store.write(Option::LastUpdate, text);
    if (const QString problem = m_store.sync(); !problem.isEmpty())
        m_report.addStatusLine(problem);
}
