// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>

class ClockSetter;
class DialUpSession;
class KorvelControl;
class OptionStore;
class UpdateReport;

// One update of the PC clock, without a window: finds a connection (reading
// its state once), dials when asked to, asks the time servers, checks the
// answer, sets the clock, records "LastUpdate" and hangs up. It reports to
// the window through UpdateReport.
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
        // The same instant in UTC.
        QDateTime appliedUtc;
    };

    // No received time before `buildDay` is believed.
    ClockUpdate(KorvelControl& korvel, ClockSetter& clockSetter, DialUpSession& dialUp, OptionStore& store,
                UpdateReport& report, QDate buildDay, QObject* parent = nullptr);

    Result run(const Request& request);

    // The user refused to authorise an automatic update: automatic updates
    // stop asking until the user asks for one.
    bool automaticUpdatesHeld() const { return m_held; }
    // Writes the last applied time to "LastUpdate" again (each tick does,
    // so a hand-edited value cannot hide it); nothing when none was applied.
    void rewriteLastUpdate();

private:
    bool findConnection(const Request& request);
    void askForConnectionName();
    void Korvel1_Done();
    void Korvel1_Error(QString& ErrorDescription, int& ErrorNumber);
    bool setClock(qint64 adjustmentUsec);
    void recordLastUpdate(const QString& text);

    QDate m_buildDay;
    KorvelControl& m_korvel;
    ClockSetter& m_clockSetter;
    DialUpSession& m_dialUp;
    OptionStore& m_store;
    UpdateReport& m_report;
    Request m_request;
    Result m_result;
    bool m_askedForConnection = false;
    bool m_held = false;
    // The received local time that was put on the clock, as stored; empty
    // when the last answer was not.
    QString m_appliedText;
};
