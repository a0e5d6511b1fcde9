// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/clockupdate.h"

#include "app/dialupsession.h"
#include "app/lastupdatetext.h"
#include "app/optionstore.h"
#include "app/updatereport.h"
#include "app/updateschedule.h"
#include "base/dateserial.h"
#include "base/generaldate.h"
#include "clockset/clocksetter.h"
#include "net/cnetconnect.h"
#include "timeclient/datevariant.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/timeestimator.h"

namespace {
const QString kNamePrompt = QStringLiteral(
    "Please enter the name of the connection you are using so Korvel can look for it next time. This "
    "information can be found in the title bar of your connection. It will say 'Connected to XXXXXX'"
    "\n\n\nPlease type in just the XXXXXX part.");

qint64 ceilingMsecs(qint64 usec)
{
    return (usec + 999) / 1000;
}
} // namespace

ClockUpdate::ClockUpdate(KorvelControl& korvel, ClockSetter& clockSetter, DialUpSession& dialUp, OptionStore& store,
                         UpdateReport& report, QDate buildDay, QObject* parent)
    : QObject(parent)
    , m_buildDay(buildDay)
    , m_korvel(korvel)
    , m_clockSetter(clockSetter)
    , m_dialUp(dialUp)
    , m_store(store)
    , m_report(report)
{
    // The query raises its events from inside GetTime, with by-reference arguments.
    connect(&m_korvel, &KorvelControl::Done, this, &ClockUpdate::Korvel1_Done, Qt::DirectConnection);
    connect(&m_korvel, &KorvelControl::Error, this, &ClockUpdate::Korvel1_Error, Qt::DirectConnection);
}

ClockUpdate::Result ClockUpdate::run(const Request& request)
{
    m_request = request;
    m_result = {};
    // The user's own press lifts the hold on automatic updates.
    if (request.askedBy == AskedBy::User && m_held) {
        m_held = false;
        m_report.showAutomaticUpdatesHeld(false);
    }
    m_report.keepFailure({});
    m_report.addStatusLine(QStringLiteral("Status: Looking for a connection..."));
    if (!findConnection(request))
        return m_result;
    m_report.setSetTimeEnabled(false);
    m_report.addStatusLine(QStringLiteral("Status: Attmpting to contact time server..."));
    m_report.showResult(QStringLiteral("Trying to get time..."));
    m_result.outcome = Outcome::QueryFailed;
    m_korvel.GetTime();
    return m_result;
}

bool ClockUpdate::findConnection(const Request& request)
{
    const CNetConnect::Reading reading = m_dialUp.netConnect().Read();
    if (reading.connected) {
        m_report.addStatusLine(QStringLiteral("Status: Connected - ") + reading.modeDesc);
        m_dialUp.connectionFound();
        return true;
    }
    m_report.addStatusLine(QStringLiteral("Status: Not Connected."));
    if (request.autoConnect) {
        if (!UpdateSchedule::isDueForDialling(request.hoursText, request.minutesElapsed))
            return false;
        m_report.addStatusLine(QStringLiteral("Status: Attempting to Connect..."));
        m_dialUp.Connect(request.entryName);
    } else {
        if (!m_report.inSight() || m_askedForConnection)
            return false;
        if (!m_report.askYesNo(QStringLiteral("No Connection"),
                               QStringLiteral("No connection to the internet found. Are you connected?"))) {
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
    const QString answer = m_report.askText(QStringLiteral("Name the connection"), kNamePrompt);
    m_store.write(Option::Connection, answer);
    if (const QString problem = m_store.sync(); !problem.isEmpty())
        m_report.addStatusLine(problem);
    m_askedForConnection = true;
    m_report.addConnectionName(answer);
}

void ClockUpdate::Korvel1_Done()
{
    m_appliedText.clear();
    // The number 0 until a query succeeds; a date after it.
    if (!DateVariant::isDateValue(m_korvel.LocalTime()))
        return;
    // Asks the other servers and checks the answers before anything is shown.
    const UpdateEstimate estimate = TimeEstimator(m_korvel.serverCycle(), m_buildDay)
                                        .estimate(m_korvel.lastReceipt(), m_korvel.host(), m_korvel.askedHosts());
    m_result.outcome = Outcome::NotSet;
    if (!estimate.adjustmentUsec) {
        m_report.setSetTimeEnabled(true);
        m_report.addStatusLine(estimate.refusal);
        m_report.keepFailure(estimate.refusal);
        return;
    }
    // The first answer as received, in the era it belongs to.
    const double eraShift = double(estimate.eraShiftSeconds) / DateSerial::kSecondsPerDay;
    const double local = DateVariant::toSerial(m_korvel.LocalTime()).value_or(0.0) + eraShift;
    const QDateTime utc = DateSerial::toDateTime(DateVariant::toSerial(m_korvel.GMTTime()).value_or(0.0) + eraShift);
    const QString localText = GeneralDate::format(local);
    m_report.addStatusLine(QStringLiteral("Status: Time Received."));
    m_report.showResult(QStringLiteral(" ") + localText + QStringLiteral("\n  Network Lagtime = ") + m_korvel.LagTime());
    for (const QString& note : estimate.notes)
        m_report.addStatusLine(note);
    // "Set Time" stays off while the clock is set: an authorisation may take
    // minutes, and no tick may start a second update meanwhile.
    const bool set = setClock(*estimate.adjustmentUsec);
    m_report.setSetTimeEnabled(true);
    if (!set)
        return;
    m_report.addStatusLine(tr("Status: The clock is now within %1 ms of the time servers.")
                               .arg(ceilingMsecs(estimate.uncertaintyUsec)));
    // Stored in UTC: the received local time is read with the zone's offset
    // of the moment the component was made.
    m_appliedText = LastUpdateText::stored(utc);
    m_result = {Outcome::Applied, local, utc};
    if (m_request.beep)
        m_report.beep();
    recordLastUpdate(m_appliedText);
    if (m_request.disconnectWhenDone)
        m_dialUp.HangUpAfterUpdate();
}

bool ClockUpdate::setClock(qint64 adjustmentUsec)
{
    const ClockSetOutcome outcome = m_clockSetter.adjust(adjustmentUsec);
    if (outcome.ok())
        return true;
    const QString line = QStringLiteral("Status: Clock not set: ") + outcome.reason;
    m_report.addStatusLine(line);
    m_report.keepFailure(line);
    if (outcome.kind == ClockSetOutcome::Kind::NotAuthorised && m_request.askedBy == AskedBy::Schedule) {
        m_held = true;
        m_report.addStatusLine(
            QStringLiteral("Status: Automatic updates will not ask again until you press \"Set Time\"."));
        m_report.showAutomaticUpdatesHeld(true);
    }
    return false;
}

void ClockUpdate::Korvel1_Error(QString& ErrorDescription, int&)
{
    m_report.setSetTimeEnabled(true);
    m_report.addStatusLine(ErrorDescription + QStringLiteral(" please check your connection to the internet and retry."),
                           false);
}

void ClockUpdate::rewriteLastUpdate()
{
    // Only a received time that was put on the clock counts as an update.
    if (!m_appliedText.isEmpty())
        recordLastUpdate(m_appliedText);
}

void ClockUpdate::recordLastUpdate(const QString& text)
{
    m_store.write(Option::LastUpdate, text);
    if (const QString problem = m_store.sync(); !problem.isEmpty())
        m_report.addStatusLine(problem);
    m_report.addStatusLine(QStringLiteral("Last update was on - ") + LastUpdateText::shown(text));
}
