// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/backendselector.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"

#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <gtest/gtest.h>

namespace {

class NetworkManagerTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mock.errorText().isEmpty()) << qPrintable(mock.errorText()); }

    std::shared_ptr<BackendSelector> korvelBackend() const
    {
        return std::make_shared<BackendSelector>(bus.connect("korvel-under-test"));
    }

    PrivateSystemBus bus;
    NetworkManagerMock mock{bus};
};

TEST_F(NetworkManagerTest, PhoneBookListsDialUpProfilesInOrderAndSkipsOtherKinds)
{
    const auto backend = korvelBackend();
    QStringList entries{"stale"};
    DialUpEntries::DUN_Services(entries, *backend);
    EXPECT_TRUE(entries.isEmpty());

    const QString longName(256, 'n');
    for (const auto& [id, type] : {std::pair<QString, QString>{"A", "gsm"}, {"Wired", "802-3-ethernet"},
                                   {"B", "pppoe"}, {"C", "cdma"}, {longName, "bluetooth"}})
        mock.addProfile(id, type);
    DialUpEntries::DUN_Services(entries, *backend);
    EXPECT_EQ(entries, (QStringList{"A", "B", "C", longName}));
}

TEST_F(NetworkManagerTest, FlagsFollowThePrimaryConnectionStateAndNetworking)
{
    mock.addModemDevice();
    const QString dialUp = mock.addActiveConnection(mock.addProfile("A"), "A");
    const QString wired = mock.addActiveConnection(mock.addProfile("Wired", "802-3-ethernet"), "Wired");
    CWinInetConnection connection(korvelBackend());
    EXPECT_THROW(connection.Dial(0, "Nope", 0), ConnectionError) << "no such profile";

    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setPrimaryConnection(dialUp, "gsm");
    connection.Refresh();
    EXPECT_TRUE(connection.IsConnected() && connection.UseModem() && connection.IsRasInstalled()
                && connection.IsConnectionConfigured());
    EXPECT_FALSE(connection.UseLAN() || connection.IsOffline());

    mock.setPrimaryConnection(wired, "802-3-ethernet");
    connection.Refresh();
    EXPECT_TRUE(connection.UseLAN());
    EXPECT_FALSE(connection.UseModem());

    mock.setNetworkingEnabled(false);
    mock.setState(NetworkManagerMock::StateDisconnected);
    connection.Refresh();
    EXPECT_TRUE(connection.IsOffline());
    EXPECT_FALSE(connection.IsConnected());
}

TEST_F(NetworkManagerTest, AnAnswerOfTheWrongTypeIsIgnoredNotFollowedForever)
{
    mock.addProfile(QStringLiteral("A"));
    mock.setManagerProperty(QStringLiteral("ActiveConnections"), QStringLiteral("<[1, 2]>"));
    CWinInetConnection connection(korvelBackend());
    connection.Refresh();
    EXPECT_TRUE(connection.IsRasInstalled() && connection.IsConnectionConfigured());
    EXPECT_FALSE(connection.UseModem());
}

} // namespace
