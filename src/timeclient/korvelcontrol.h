// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/webfetch.h"
#include "timeclient/socketlayer.h"
#include "timeclient/timeprotocol.h"
#include "timeclient/timereceipt.h"

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QVariantMap>

#include <chrono>
#include <memory>
#include <optional>

class QNetworkAccessManager;

// The time-server client: asks an RFC 868 server for the time, moving through
// the server cycle when one fails, and keeps the result as UTC and local
// time. Also a web reachability probe and the clock of a second time zone.
//
// GMTTime and LocalTime follow DateVariant (datevariant.h): the 16-bit
// integer 0 until set, then a QDateTime whose wall fields in Qt::UTC are the
// date. Their setters take any date-compatible value; anything else is
// refused: the setter returns false, logs a warning and changes nothing.
//
// Events are signals raised synchronously from inside the call that causes
// them; their by-reference arguments need direct connections.
class KorvelControl : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString host READ host WRITE setHost NOTIFY hostChanged)
    Q_PROPERTY(QString LagTime READ LagTime NOTIFY LagTimeChanged)
    Q_PROPERTY(QVariant LastError READ LastError WRITE setLastError NOTIFY LastErrorChanged)
    Q_PROPERTY(QVariant GMTTime READ GMTTime WRITE setGMTTime NOTIFY GMTTimeChanged)
    Q_PROPERTY(QVariant LocalTime READ LocalTime WRITE setLocalTime NOTIFY LocalTimeChanged)
    Q_PROPERTY(double OffSet READ OffSet WRITE setOffSet NOTIFY OffSetChanged)
    Q_PROPERTY(int ZoneBias READ ZoneBias CONSTANT)
    Q_PROPERTY(qint16 Port READ Port CONSTANT)
    Q_PROPERTY(qint16 ProbeStatus READ ProbeStatus)

public:
    enum ProbeState : qint16 { ProbePending = 0, ProbeReachable = 1, ProbeFailed = 2 };
    static constexpr int kAttempts = 4;
    static constexpr int kProbePasses = 1500;
    static inline const QString kCantGetTime = QStringLiteral("Can't Get Time");

    explicit KorvelControl(QObject* parent = nullptr);
    // Takes a socket layer of the caller's choosing (tests fake its start
    // and end).
    KorvelControl(std::unique_ptr<SocketLayer> sockets, QObject* parent = nullptr);
    ~KorvelControl() override;

    // The design state the main window gives its instance: "host" is the
    // first server of this run's cycle.
    static QVariantMap designState();
    // Loads saved state; keys match without regard to case, and a missing or
    // damaged value gives its default.
    void ReadProperties(const QVariantMap& state);
    // "Host", "LastError", "GMTTime", "LocalTime", each left out while it
    // equals its default.
    QVariantMap WriteProperties() const;

    // Fetches the probe URL bypassing the cache; true when the server answered.
    Q_INVOKABLE bool IsConnected();
    // Asks the servers for the time: the local time as a date serial (double),
    // or an invalid QVariant when the query failed.
    Q_INVOKABLE QVariant GetTime();
    // The current UTC time plus OffSet hours, as a date.
    Q_INVOKABLE QVariant SecondaryTime() const;

    QString host() const { return m_host; }
    void setHost(const QString& host);
    QString LagTime() const { return m_LagTime; }
    QVariant LastError() const { return m_LastError; }
    void setLastError(const QVariant& lastError);
    QVariant GMTTime() const { return m_GMTTime; }
    bool setGMTTime(const QVariant& gmtTime);
    QVariant LocalTime() const { return m_LocalTime; }
    bool setLocalTime(const QVariant& localTime);
    double OffSet() const { return m_OffSet; }
    void setOffSet(double offSet);
    int ZoneBias() const { return m_ZoneBias; }
    qint16 Port() const { return m_Port; }
    qint16 ProbeStatus() const { return m_ProbeStatus; }
    QString HostAddress() const { return m_HostAddress; }
    QStringList serverCycle() const { return m_serverCycle; }
    // The measurements behind GMTTime, for setting the clock.
    TimeReceipt lastReceipt() const { return m_lastReceipt; }
    // The servers the last GetTime asked, in order; one that answered is the last.
    QStringList askedHosts() const { return m_askedHosts; }

    void setProbeUrl(const QUrl& url);
    // How long one pass of the probe's wait may sleep when nothing happens.
    void setProbePassWait(std::chrono::milliseconds wait);

Q_SIGNALS:
    void Done();
    void AsyncError(int& ErrorNum);
    void Error(QString& ErrorDescription, int& ErrorNumber);

    void hostChanged();
    void LagTimeChanged();
    void LastErrorChanged();
    void GMTTimeChanged();
    void LocalTimeChanged();
    void OffSetChanged();

private:
    enum class Attempt { Answered, Failed };

    Attempt runAttempt(double& localSerial);
    void storeAnswer(const TimeProtocol::AnswerTimes& answer, const TimeReceipt& receipt);
    void storeTimes(double gmtSerial, double localSerial);
    static std::optional<double> dateSerialOf(const QVariant& value, const char* property);
    void endSockets();
    void raiseError(const QString& description, int number);
    void startProbe();

    std::unique_ptr<SocketLayer> m_sockets;
    QStringList m_serverCycle;
    QString m_host = QStringLiteral("0");
    QString m_HostAddress;
    QString m_LagTime;
    TimeReceipt m_lastReceipt;
    QStringList m_askedHosts;
    QVariant m_LastError;
    QVariant m_GMTTime;
    QVariant m_LocalTime;
    double m_OffSet = 0.0;
    int m_ZoneBias = 0;
    qint16 m_Port = TimeProtocol::kTimePort;
    qint16 m_RetryCount = 0;
    qint16 m_ProbeStatus = ProbePending;

    QUrl m_probeUrl;
    std::chrono::milliseconds m_probePassWait{10};
    QNetworkAccessManager* m_network = nullptr;
    std::unique_ptr<WebFetch> m_probe;
};
