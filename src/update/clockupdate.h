// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/updatehistory.h"
#include "timeclient/korvelcontrol.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

class ClockSetter;
class DialUpSession;
class NetworkTimeSwitch;
class OptionStore;
class UpdateReport;
struct ClockSetOutcome;
struct UpdateEstimate;

// One update of the PC clock, without a window: finds a connection (reading
// its state once), dials when asked to, asks the time servers, checks the
// answer, sets the clock, records "LastUpdate" and hangs up. It reports to
// the window through UpdateReport. While the system's network time keeps
// the clock, the user's own "Set Time" offers to take over; an update that
// may not set the clock is a check: it says how far the clock is off.
class ClockUpdate : public QObject
{
    Q_OBJECT

public:
    enum class AskedBy { User, Schedule };
    enum class Outcome { NoConnection, QueryFailed, NotSet, Applied };

    // What the window's controls say at the moment the update starts.
    struct Request
    {
        AskedBy askedBy = AskedBy::User;
        QString hoursText;
        qint32 minutesElapsed = 0;
        bool autoConnect = false;
        bool disconnectWhenDone = false;
        bool beep = false;
        QString entryName;
    };

    struct Result
    {
        Outcome outcome = Outcome::NoConnection;
        // The received local time put on the clock, as a date serial.
        double appliedLocalSerial = 0.0;
        // Why the clock was not set, in a few words; empty when it was.
        QString failure;
        // The same instant in UTC.
        QDateTime appliedUtc;
    };

    // No received time before `buildDay` is believed.
    ClockUpdate(KorvelControl& korvel, ClockSetter& clockSetter, NetworkTimeSwitch& networkTime,
                DialUpSession& dialUp, OptionStore& store, UpdateReport& report, QDate buildDay,
                QObject* parent = nullptr);

    Result run(const Request& request);

    // The user refused to authorise an automatic update: automatic updates
    // stop asking until the user asks for one.
    bool automaticUpdatesHeld() const { return m_held; }
    // An update is under way; it may be waiting minutes for the user (a box,
    // an authorisation), while the window's events, the tick's too, run.
    bool busy() const { return m_busy; }
    // Writes the last applied time to "LastUpdate" again, without a line
    // (each tick does, so a hand-edited value cannot hide it); nothing when
    // none was applied.
    void rewriteLastUpdate();
    // Where every update and check is recorded.
    UpdateHistory& history() { return m_history; }

Q_SIGNALS:
    // automaticUpdatesHeld() changed.
    void automaticUpdatesHeldChanged();

private:
    Result update(const Request& request);
    bool findConnection(const Request& request);
    void askForConnectionName();
    // The query's answer: checked against the other servers, then put on the clock.
    void answered(const KorvelControl::Answer& answer);
    void notAnswered();
    ClockSetOutcome putOnClock(qint64 adjustmentUsec);
    bool takeOver();
    void reportCheck(const UpdateEstimate& estimate, const ClockSetOutcome& outcome);
    // What the update measured, for its record in the history.
    void noteMeasurement(const UpdateEstimate& estimate, const QStringList& answered, double lagSeconds);
    void notSet(const QString& failure);
    void writeLastUpdate(const QString& text);

    QDate m_buildDay;
    KorvelControl& m_korvel;
    ClockSetter& m_clockSetter;
    NetworkTimeSwitch& m_networkTime;
    DialUpSession& m_dialUp;
    OptionStore& m_store;
    UpdateReport& m_report;
    Request m_request;
    Result m_result;
    bool m_askedForConnection = false;
    bool m_held = false;
    bool m_busy = false;
    // The received local time that was put on the clock, as stored; empty
    // when the last answer was not.
    QString m_appliedText;
    UpdateHistory m_history;
    HistoryRecord m_record;
};
