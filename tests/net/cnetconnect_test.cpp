// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/cnetconnect.h"
#include "net/internetflags.h"

#include "loopbacktimeserver.h"
#include "support/fakebackend.h"

#include <gtest/gtest.h>

namespace {

class CNetConnectTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // The loopback servers must be reached directly, whatever this machine's proxy settings.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
        netConnect.setProbeTimeoutMsecs(2000);
        backend->state = {NetResult::success(), InternetFlags::Lan, {}};
    }

    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CNetConnect netConnect{backend};
    LoopbackTimeServer up{LoopbackTimeServer::kHttpPage};
};

TEST_F(CNetConnectTest, KindBitsDecideTheDescriptionAndWhetherTheProbeHasTheLastWord)
{
    // The platform's answer is the opposite of what the probe would say, so the
    // result shows whether the probe ran.
    const struct {
        quint32 flags;
        bool siteUp;
        bool connected;
        const char* description;
    } rows[] = {
        {InternetFlags::Modem, true, false, "Modem"},
        {InternetFlags::Modem | InternetFlags::ModemBusy, true, true, "Modem (Busy)"},
        {InternetFlags::Proxy, false, false, "Proxy Server"},
        {InternetFlags::Lan | InternetFlags::Proxy, true, true, "LAN"},
        {0, false, true, "LAN"}, // no kind: the earlier description stays
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.flags);
        backend->state = {row.siteUp ? NetResult::failure(0) : NetResult::success(), row.flags, {}};
        netConnect.setKnownTestSites({"http://" + (row.siteUp ? up.entry() : LoopbackTimeServer::refusedEntry())});
        EXPECT_EQ(netConnect.Connected(), row.connected);
        EXPECT_EQ(netConnect.ConnectModeDesc(), QLatin1String(row.description));
        EXPECT_EQ(netConnect.ConnectMode(), qint32(row.flags));
    }
}

TEST_F(CNetConnectTest, ProbeTriesTheSitesInOrderUntilOneAnswers)
{
    const auto silent = LoopbackTimeServer::silent();
    LoopbackTimeServer last{LoopbackTimeServer::kHttpPage};
    const QString closed = "http://" + LoopbackTimeServer::refusedEntry();
    netConnect.setProbeTimeoutMsecs(300);
    netConnect.setKnownTestSites({closed, "http://" + silent->entry(), "http://" + up.entry(), "http://" + last.entry()});
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(silent->questions() + up.questions() + last.questions(), 2);

    for (const QStringList& sites : {QStringList{closed, "not a url", "http://" + silent->entry()}, {}}) {
        netConnect.setKnownTestSites(sites);
        EXPECT_FALSE(netConnect.Connected()) << sites.size();
    }
}

} // namespace
