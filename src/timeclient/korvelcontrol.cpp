// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/korvelcontrol.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/numbertext.h"
#include "timeclient/datevariant.h"
#include "timeclient/servercycle.h"
#include "timeclient/timeprotocol.h"
#include "timeclient/timequestion.h"

#include <cmath>

KorvelControl::KorvelControl(QObject* parent)
    : QObject(parent)
    , m_serverCycle(ServerCycle::fromEnvironment())
    , m_host(m_serverCycle.constFirst())
    , m_GMTTime(DateVariant::zero())
    , m_LocalTime(DateVariant::zero())
    , m_ZoneBias(TimeProtocol::systemZoneBias(Clock::instance().currentDateTimeUtc()))
{
}

KorvelControl::~KorvelControl() = default;

std::optional<KorvelControl::Answer> KorvelControl::GetTime()
{
    QStringList asked;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        asked << m_host;
        if (std::optional<Answer> answer = askHost()) {
            answer->askedHosts = asked;
            Q_EMIT Done();
            return answer;
        }
        setHost(ServerCycle::successor(m_serverCycle, m_host));
    }
    QString description = kCantGetTime;
    int number = 1;
    Q_EMIT Error(description, number);
    return std::nullopt;
}

std::optional<KorvelControl::Answer> KorvelControl::askHost()
{
    const TimeQuestion::Reply reply = TimeQuestion::put(m_host);
    const auto times = TimeProtocol::readAnswer(reply.received, reply.receipt.lagSeconds, m_ZoneBias);
    if (!times)
        return std::nullopt;
    m_lastReceipt = reply.receipt;
    m_LagTime = NumberText::generalSingle(reply.receipt.lagSeconds);
    m_GMTTime = DateVariant::fromSerial(times->gmt);
    m_LocalTime = DateVariant::fromSerial(times->local);
    Q_EMIT LagTimeChanged();
    Q_EMIT GMTTimeChanged();
    Q_EMIT LocalTimeChanged();
    return Answer{reply.receipt, m_host, {}, m_LagTime, times->gmt, times->local};
}

QVariant KorvelControl::SecondaryTime() const
{
    const double utc = DateSerial::fromDateTime(Clock::instance().currentDateTimeUtc());
    return DateVariant::fromSerial(DateSerial::addMinutes(utc, std::llround(60.0 * m_OffSet)));
}

void KorvelControl::setHost(const QString& host)
{
    if (host == m_host)
        return;
    m_host = host;
    Q_EMIT hostChanged();
}

void KorvelControl::setOffSet(double offSet)
{
    m_OffSet = offSet;
    Q_EMIT OffSetChanged();
}
