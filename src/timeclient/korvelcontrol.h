// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timeclient/timereceipt.h"

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <optional>

// The time-server client: asks an RFC 868 server for the time, moving through
// the server cycle when one fails, and keeps the result as UTC and local
// time. Also the clock of a second time zone.
//
// GMTTime and LocalTime follow DateVariant (datevariant.h): the 16-bit
// integer 0 until a query succeeds, then a QDateTime whose wall fields in
// Qt::UTC are the date.
//
// Events are signals raised synchronously from inside GetTime; Error's
// by-reference arguments need direct connections.
class KorvelControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString host READ host WRITE setHost NOTIFY hostChanged)
    Q_PROPERTY(QString LagTime READ LagTime NOTIFY LagTimeChanged)
    Q_PROPERTY(QVariant GMTTime READ GMTTime NOTIFY GMTTimeChanged)
    Q_PROPERTY(QVariant LocalTime READ LocalTime NOTIFY LocalTimeChanged)
    Q_PROPERTY(double OffSet READ OffSet WRITE setOffSet NOTIFY OffSetChanged)

public:
    static constexpr int kAttempts = 4;
    static inline const QString kCantGetTime = QStringLiteral("Can't Get Time");

    // What a query brought, all that an update needs of it.
    struct Answer
    {
        // The measurements behind it, for setting the clock.
        TimeReceipt receipt;
        // The server that answered.
        QString host;
        // The servers this query asked, in order; the one that answered is the last.
        QStringList askedHosts;
        // The one-way lag in seconds, as the window shows it.
        QString lagText;
        // The received time moved on by the lag, in UTC and in local time, as date serials.
        double gmtSerial = 0.0;
        double localSerial = 0.0;
    };

    // Starts at the first server of this run's cycle.
    explicit KorvelControl(QObject* parent = nullptr);
    ~KorvelControl() override;

    // Asks the servers for the time, at most kAttempts of them, each once;
    // raises Done once the answer's connection is closed, or Error.
    std::optional<Answer> GetTime();
    // The current UTC time plus OffSet hours, as a date.
    QVariant SecondaryTime() const;

    QString host() const { return m_host; }
    void setHost(const QString& host);
    QString LagTime() const { return m_LagTime; }
    QVariant GMTTime() const { return m_GMTTime; }
    QVariant LocalTime() const { return m_LocalTime; }
    double OffSet() const { return m_OffSet; }
    void setOffSet(double offSet);
    QStringList serverCycle() const { return m_serverCycle; }
    // The measurements behind GMTTime.
    TimeReceipt lastReceipt() const { return m_lastReceipt; }

Q_SIGNALS:
    void Done();
    void Error(QString& ErrorDescription, int& ErrorNumber);

    void hostChanged();
    void LagTimeChanged();
    void GMTTimeChanged();
    void LocalTimeChanged();
    void OffSetChanged();

private:
    // One server's answer, stored as the properties; nothing when it gave none.
    std::optional<Answer> askHost();

    QStringList m_serverCycle;
    QString m_host;
    QString m_LagTime;
    TimeReceipt m_lastReceipt;
    QVariant m_GMTTime;
    QVariant m_LocalTime;
    double m_OffSet = 0.0;
    int m_ZoneBias = 0;
};
