#include "net/cnetconnect.h"
#include "net/internetflags.h"

#include "fakebackend.h"
#include "loopbackhttpserver.h"

#include <gtest/gtest.h>

namespace {

using Behaviour = LoopbackHttpServer::Behaviour;

class CNetConnectTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The loopback servers must be reached directly, whatever this machine's proxy settings.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        netConnect.setProbeTimeoutMsecs(2000);
    }

    void platformAnswers(bool connected, quint32 flags)
    {
        backend->state = {connected ? NetResult::success() : NetResult::failure(0), flags, {}};
    }

    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CNetConnect netConnect{backend};
    LoopbackHttpServer up;
};

TEST_F(CNetConnectTest, PlainModemKeepsThePlatformAnswerWithoutProbing)
{
    netConnect.setKnownTestSites({up.url().toString()});
    platformAnswers(false, InternetFlags::Modem);
    EXPECT_FALSE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("Modem"));
    EXPECT_EQ(up.connections(), 0);
}

TEST_F(CNetConnectTest, BusyModemLanAndProxyAreDecidedByTheProbe)
{
    netConnect.setKnownTestSites({up.url().toString()});
    platformAnswers(false, InternetFlags::Modem | InternetFlags::ModemBusy);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("Modem (Busy)"));

    platformAnswers(false, InternetFlags::Lan | InternetFlags::Proxy);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("LAN"));

    platformAnswers(true, InternetFlags::Proxy);
    netConnect.setKnownTestSites({LoopbackHttpServer::closedUrl().toString()});
    EXPECT_FALSE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("Proxy Server"));
    EXPECT_EQ(netConnect.ConnectMode(), static_cast<qint32>(InternetFlags::Proxy));
}

TEST_F(CNetConnectTest, NoKindKeepsTheEarlierDescriptionAndThePlatformAnswer)
{
    netConnect.setKnownTestSites({});
    platformAnswers(true, InternetFlags::Lan);
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("LAN"));
    platformAnswers(true, 0);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("LAN"));
}

TEST_F(CNetConnectTest, FirstSiteDownSecondUpIsConnected)
{
    netConnect.setKnownTestSites({LoopbackHttpServer::closedUrl().toString(), up.url().toString()});
    platformAnswers(true, InternetFlags::Lan);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(up.connections(), 1);
}

TEST_F(CNetConnectTest, FirstSiteThatAnswersEndsTheSearch)
{
    LoopbackHttpServer second;
    netConnect.KnownTestSites() = {up.url().toString(), second.url().toString()};
    platformAnswers(true, InternetFlags::Lan);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(up.connections(), 1);
    EXPECT_EQ(second.connections(), 0);
}

TEST_F(CNetConnectTest, AllSitesDownOrNoSitesIsNotConnected)
{
    platformAnswers(true, InternetFlags::Lan);
    netConnect.setKnownTestSites({LoopbackHttpServer::closedUrl().toString(), LoopbackHttpServer::closedUrl().toString(),
                                  QStringLiteral("not a url")});
    EXPECT_FALSE(netConnect.Connected());
    netConnect.setKnownTestSites({});
    EXPECT_FALSE(netConnect.Connected());
}

TEST_F(CNetConnectTest, SiteThatNeverAnswersIsGivenUpAndTheNextTried)
{
    LoopbackHttpServer silent(Behaviour::Silent);
    netConnect.setProbeTimeoutMsecs(300);
    netConnect.setKnownTestSites({silent.url().toString(), up.url().toString()});
    platformAnswers(false, InternetFlags::Lan);
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(silent.connections(), 1);

    netConnect.setKnownTestSites({silent.url().toString()});
    EXPECT_FALSE(netConnect.Connected());
}

TEST_F(CNetConnectTest, DialAndHangUpOnlyActOnTheConnectedState)
{
    netConnect.setKnownTestSites({});
    platformAnswers(true, 0);
    EXPECT_FALSE(netConnect.Dial());
    EXPECT_EQ(backend->autodialCalls, 0);
    EXPECT_TRUE(netConnect.HangUp());
    EXPECT_EQ(backend->autodialHangupCalls, 1);

    platformAnswers(false, 0);
    EXPECT_TRUE(netConnect.Dial());
    backend->autodialResult = NetResult::failure(0);
    EXPECT_FALSE(netConnect.Dial());
    EXPECT_EQ(backend->autodialCalls, 2);
    EXPECT_FALSE(netConnect.HangUp());
    EXPECT_EQ(backend->autodialHangupCalls, 1);
}

TEST(CNetConnectSites, EnvironmentReplacesTheDefaultSites)
{
    qunsetenv("KORVEL_TEST_SITES");
    const QStringList defaults = CNetConnect::defaultTestSites();
    ASSERT_EQ(defaults.size(), 2);
    for (const QString& site : defaults) {
        const QUrl url(site);
        EXPECT_EQ(url.scheme(), QStringLiteral("http"));
        EXPECT_TRUE(url.path().isEmpty()) << qPrintable(site);
    }

    qputenv("KORVEL_TEST_SITES", " http://127.0.0.1:1 ,http://127.0.0.1:2,");
    EXPECT_EQ(CNetConnect(std::make_shared<FakeBackend>()).KnownTestSites(),
              (QStringList{QStringLiteral("http://127.0.0.1:1"), QStringLiteral("http://127.0.0.1:2")}));
    qunsetenv("KORVEL_TEST_SITES");
}

} // namespace
