// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/korvelcontrol.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/eventslice.h"
#include "base/numbertext.h"
#include "timeclient/datevariant.h"
#include "timeclient/servercycle.h"
#include "timeclient/timeclientlog.h"
#include "timeclient/timeprotocol.h"

#include <QNetworkAccessManager>

#include <cmath>

namespace {
const QString kApplicationName = QStringLiteral("Korvel");
const QString kDefaultHost = QStringLiteral("0");
// A public search engine's results page; any answer means the web is reachable.
const QUrl kDefaultProbeUrl(QStringLiteral("https://search.yahoo.com/bin/search?p="));

QVariant valueForKey(const QVariantMap& state, const QString& key)
{
    for (auto it = state.cbegin(); it != state.cend(); ++it) {
        if (it.key().compare(key, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return {};
}

QVariant readDate(const QVariantMap& state, const QString& key)
{
    const QVariant stored = valueForKey(state, key);
    if (!stored.isValid() || DateVariant::isZero(stored))
        return DateVariant::zero();
    if (const auto serial = DateVariant::toSerial(stored))
        return DateVariant::fromSerial(*serial);
    qCWarning(lcTimeClient) << "Saved" << key << "is not a date:" << stored << "- using 0";
    return DateVariant::zero();
}
} // namespace

KorvelControl::KorvelControl(QObject* parent)
    : KorvelControl(std::make_unique<SocketLayer>(), parent)
{
}

KorvelControl::KorvelControl(std::unique_ptr<SocketLayer> sockets, QObject* parent)
    : QObject(parent)
    , m_sockets(std::move(sockets))
    , m_serverCycle(ServerCycle::fromEnvironment())
    , m_LastError(DateVariant::zero())
    , m_GMTTime(DateVariant::zero())
    , m_LocalTime(DateVariant::zero())
    , m_ZoneBias(TimeProtocol::systemZoneBias(Clock::instance().currentDateTimeUtc()))
    , m_probeUrl(kDefaultProbeUrl)
{
}

KorvelControl::~KorvelControl() = default;

QVariantMap KorvelControl::designState()
{
    return {{QStringLiteral("host"), ServerCycle::fromEnvironment().constFirst()}};
}

void KorvelControl::ReadProperties(const QVariantMap& state)
{
    const QVariant host = valueForKey(state, QStringLiteral("Host"));
    setHost(host.isValid() ? host.toString() : kDefaultHost);
    const QVariant lastError = valueForKey(state, QStringLiteral("LastError"));
    setLastError(lastError.isValid() && !DateVariant::isZero(lastError) ? lastError : DateVariant::zero());
    m_GMTTime = readDate(state, QStringLiteral("GMTTime"));
    m_LocalTime = readDate(state, QStringLiteral("LocalTime"));
    Q_EMIT GMTTimeChanged();
    Q_EMIT LocalTimeChanged();
}

QVariantMap KorvelControl::WriteProperties() const
{
    QVariantMap state;
    if (m_host != kDefaultHost)
        state.insert(QStringLiteral("Host"), m_host);
    if (!DateVariant::isZero(m_LastError))
        state.insert(QStringLiteral("LastError"), m_LastError);
    if (!DateVariant::isZero(m_GMTTime))
        state.insert(QStringLiteral("GMTTime"), m_GMTTime);
    if (!DateVariant::isZero(m_LocalTime))
        state.insert(QStringLiteral("LocalTime"), m_LocalTime);
    return state;
}

QVariant KorvelControl::GetTime()
{
    m_RetryCount = 0;
    m_askedHosts.clear();
    double localSerial = 0.0;
    for (;;) {
        m_askedHosts << m_host;
        switch (runAttempt(localSerial)) {
        case Attempt::Answered:
            return localSerial;
        case Attempt::Failed:
            setHost(ServerCycle::successor(m_serverCycle, m_host));
            if (++m_RetryCount == kAttempts) {
                raiseError(kCantGetTime, 1);
                return {};
            }
            break;
        }
    }
}

KorvelControl::Attempt KorvelControl::runAttempt(double& localSerial)
{
    if (!m_sockets->StartSockets()) {
        int code = m_sockets->lastError();
        Q_EMIT AsyncError(code);
    }
    const ServerCycle::Entry server = ServerCycle::split(m_host);
    const quint16 port = server.port.value_or(quint16(m_Port));
    const std::vector<SocketLayer::Address> addresses = SocketLayer::ResolveHost(server.name, port);
    if (addresses.empty()) {
        // One server's name going away must not stop every update.
        m_HostAddress = SocketLayer::kUnresolved;
        qCInfo(lcTimeClient) << "Cannot resolve" << server.name;
    }
    for (const SocketLayer::Address& address : addresses) {
        m_HostAddress = SocketLayer::AddressToText(address);
        if (m_sockets->CreateSocket(address) != 0)
            continue;
        const qint64 start = Clock::instance().monotonicMsecs();
        const int socket = m_sockets->ConnectSocket(address);
        const qint64 connected = Clock::instance().monotonicMsecs();
        if (socket == -1) {
            qCInfo(lcTimeClient) << "Cannot connect to" << m_host << "at" << m_HostAddress << "error"
                                 << m_sockets->lastError();
            continue;
        }
        const QByteArray received =
            m_sockets->ReceiveData(socket, TimeProtocol::kAnswerLength, TimeProtocol::kAnswerLimitMsecs / 1000);
        const TimeReceipt receipt = TimeReceipt::measure(received, start, connected);
        if (const auto answer = TimeProtocol::readAnswer(received, receipt.lagSeconds, m_ZoneBias)) {
            storeAnswer(*answer, receipt);
            localSerial = answer->local;
            // Handlers of Done run while the connection is still open.
            Q_EMIT Done();
            EventSlice::pause(1000);
            m_sockets->CloseSocket(socket);
            endSockets();
            return Attempt::Answered;
        }
        // A server that answered wrongly is not asked again at another address.
        qCInfo(lcTimeClient) << m_host << "answered" << received.size() << "bytes instead of 4";
        break;
    }
    // Also closes a socket that was created but never connected or answered.
    endSockets();
    return Attempt::Failed;
}

void KorvelControl::storeAnswer(const TimeProtocol::AnswerTimes& answer, const TimeReceipt& receipt)
{
    m_LagTime = NumberText::generalSingle(receipt.lagSeconds);
    m_lastReceipt = receipt;
    Q_EMIT LagTimeChanged();
    storeTimes(answer.gmt, answer.local);
}

void KorvelControl::storeTimes(double gmtSerial, double localSerial)
{
    m_GMTTime = DateVariant::fromSerial(gmtSerial);
    m_LocalTime = DateVariant::fromSerial(localSerial);
    Q_EMIT GMTTimeChanged();
    Q_EMIT LocalTimeChanged();
}

std::optional<double> KorvelControl::dateSerialOf(const QVariant& value, const char* property)
{
    const auto serial = DateVariant::toSerial(value);
    if (!serial)
        qCWarning(lcTimeClient) << property << "refuses a value that is not a date:" << value;
    return serial;
}

void KorvelControl::endSockets()
{
    if (!m_sockets->EndSockets())
        raiseError(kApplicationName
                       + QStringLiteral(" failed to cleanup the WinSock Interface.")
                       + QStringLiteral("Please check your systems configuration."),
                   2);
}

void KorvelControl::raiseError(const QString& description, int number)
{
    QString errorDescription = description;
    int errorNumber = number;
    Q_EMIT Error(errorDescription, errorNumber);
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

void KorvelControl::setLastError(const QVariant& lastError)
{
    m_LastError = lastError;
    Q_EMIT LastErrorChanged();
}

bool KorvelControl::setGMTTime(const QVariant& gmtTime)
{
    const auto serial = dateSerialOf(gmtTime, "GMTTime");
    if (serial)
        storeTimes(*serial, TimeProtocol::GmtToLocal(*serial, m_ZoneBias));
    return serial.has_value();
}

bool KorvelControl::setLocalTime(const QVariant& localTime)
{
    const auto serial = dateSerialOf(localTime, "LocalTime");
    if (serial)
        storeTimes(DateSerial::addMinutes(*serial, m_ZoneBias), *serial);
    return serial.has_value();
}

void KorvelControl::setOffSet(double offSet)
{
    m_OffSet = offSet;
    Q_EMIT OffSetChanged();
}

void KorvelControl::setProbeUrl(const QUrl& url)
{
    m_probeUrl = url;
}

void KorvelControl::setProbePassWait(std::chrono::milliseconds wait)
{
    m_probePassWait = wait;
}

bool KorvelControl::IsConnected()
{
    m_ProbeStatus = ProbePending;
    startProbe();
    // The pass limit bounds the wait: each pass may wait one pass-wait.
    const int limitMsecs = int(kProbePasses * m_probePassWait.count());
    EventSlice::waitUntil([this] { return m_ProbeStatus != ProbePending; }, limitMsecs);
    return m_ProbeStatus == ProbeReachable;
}

void KorvelControl::startProbe()
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    // Replacing an earlier probe that has not finished silences it, so it
    // cannot speak for this one.
    m_probe.reset();
    // No time limit of its own: past the wait it is simply not looked at.
    m_probe = std::make_unique<WebFetch>(*m_network, m_probeUrl, 0,
                                         [this](WebFetch::Outcome outcome) {
                                             m_ProbeStatus = outcome == WebFetch::Outcome::Answered
                                                                 ? ProbeReachable
                                                                 : ProbeFailed;
                                         });
}
