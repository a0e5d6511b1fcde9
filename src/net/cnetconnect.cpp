// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/cnetconnect.h"

#include "base/webfetch.h"
#include "net/internetflags.h"
#include "net/netlog.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>

namespace {

// Uses the system's proxy settings for every request of one manager.
class SystemProxyFactory : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

QStringList CNetConnect::defaultTestSites()
{
    const QString fromEnvironment = qEnvironmentVariable("KORVEL_TEST_SITES");
    if (!fromEnvironment.trimmed().isEmpty()) {
        QStringList sites;
        for (const QString& site : fromEnvironment.split(QLatin1Char(','), Qt::SkipEmptyParts))
            sites.append(site.trimmed());
        return sites;
    }
    return {QStringLiteral("http://www.yahoo.com"), QStringLiteral("http://www.bbc.com")};
}

CNetConnect::CNetConnect(std::shared_ptr<ConnectionBackend> backend)
    : m_backend(std::move(backend))
    , m_KnownTestSites(defaultTestSites())
{
}

CNetConnect::Reading CNetConnect::Read()
{
    Refresh();
    return {m_Connected, m_ConnectModeDesc};
}

bool CNetConnect::Connected()
{
    Refresh();
    return m_Connected;
}

qint32 CNetConnect::ConnectMode()
{
    Refresh();
    return m_ConnectMode;
}

QString CNetConnect::ConnectModeDesc()
{
    Refresh();
    return m_ConnectModeDesc;
}

bool CNetConnect::Dial(qint32 Flags)
{
    if (Connected())
        return false;
    return m_backend->autodial(Flags).ok;
}

bool CNetConnect::HangUp()
{
    if (!Connected())
        return false;
    return m_backend->autodialHangup().ok;
}

void CNetConnect::Refresh()
{
    const ConnectedState state = m_backend->connectedState();
    m_Connected = state.result.ok;
    m_ConnectMode = static_cast<qint32>(state.flags);

    // Bits are tested in this order: a modem wins over a LAN, a LAN over a proxy.
    bool probe = false;
    if (state.flags & InternetFlags::Modem) {
        m_ConnectModeDesc = QString::fromLatin1(QT_TRANSLATE_NOOP("Connection", "Modem"));
        if (state.flags & InternetFlags::ModemBusy) {
            m_ConnectModeDesc = QString::fromLatin1(QT_TRANSLATE_NOOP("Connection", "Modem (Busy)"));
            probe = true;
        }
    } else if (state.flags & InternetFlags::Lan) {
        m_ConnectModeDesc = QString::fromLatin1(QT_TRANSLATE_NOOP("Connection", "LAN"));
        probe = true;
    } else if (state.flags & InternetFlags::Proxy) {
        m_ConnectModeDesc = QString::fromLatin1(QT_TRANSLATE_NOOP("Connection", "Proxy Server"));
        probe = true;
    }
    // A proxy is the one thing the system's own check does not see past.
    if (probe && state.reachesInternet && !(state.flags & InternetFlags::Proxy))
        probe = false;
    if (probe)
        m_Connected = TestKnownSites();
}

bool CNetConnect::TestKnownSites()
{
    QNetworkAccessManager manager;
    manager.setProxyFactory(new SystemProxyFactory);
    for (const QString& site : std::as_const(m_KnownTestSites)) {
        const bool answered = WebFetch::answers(manager, QUrl(site), m_probeTimeoutMsecs);
        qCDebug(lcNet) << "Test site" << site << (answered ? "answered" : "did not answer");
        if (answered)
            return true;
    }
    return false;
}
