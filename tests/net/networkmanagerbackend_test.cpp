#include "net/backendselector.h"
#include "net/cnetconnect.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"

#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NetworkManagerTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(mock.errorText().isEmpty()) << qPrintable(mock.errorText()); }

    std::shared_ptr<BackendSelector> korvelBackend() const
    {
        return std::make_shared<BackendSelector>(bus.connect(QStringLiteral("korvel-under-test")));
    }

    PrivateSystemBus bus;
    NetworkManagerMock mock{bus};
};

TEST_F(NetworkManagerTest, PhoneBookListsDialUpProfilesInOrderAndSkipsOtherKinds)
{
    const auto backend = korvelBackend();
    QStringList entries{QStringLiteral("stale")};
    DialUpEntries::DUN_Services(entries, *backend);
    EXPECT_TRUE(entries.isEmpty());

    const QString longName(256, QLatin1Char('n'));
    for (const auto& [id, type] : {std::pair{"A", "gsm"}, {"Wired", "802-3-ethernet"}, {"B", "pppoe"},
                                   {"C", "cdma"}})
        mock.addProfile(QLatin1String(id), QLatin1String(type));
    mock.addProfile(longName, QStringLiteral("bluetooth"));
    DialUpEntries::DUN_Services(entries, *backend);
    EXPECT_EQ(entries, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), longName}));
}

TEST_F(NetworkManagerTest, FlagsFollowThePrimaryConnectionAndTheState)
{
    CWinInetConnection connection(korvelBackend());
    mock.setState(NetworkManagerMock::StateDisconnected);
    mock.setNetworkingEnabled(false);
    connection.Refresh();
    EXPECT_FALSE(connection.IsConnected() || connection.UseLAN() || connection.UseModem());
    EXPECT_TRUE(connection.IsRasInstalled() && connection.IsOffline());
    EXPECT_FALSE(connection.IsConnectionConfigured());

    const QString wired = mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    mock.setPrimaryConnection(mock.addActiveConnection(wired, QStringLiteral("wired0")), QStringLiteral("802-3-ethernet"));
    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setNetworkingEnabled(true);
    connection.Refresh();
    EXPECT_TRUE(connection.IsConnected() && connection.UseLAN() && connection.IsConnectionConfigured());
    EXPECT_FALSE(connection.UseModem() || connection.IsOffline());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("Wired"));
}

TEST_F(NetworkManagerTest, HangUpTakesDownOnlyTheDialledConnection)
{
    mock.addModemDevice();
    const QString wired = mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    const QString foreign = mock.addActiveConnection(wired, QStringLiteral("foreign"));
    mock.addProfile(QStringLiteral("A"));
    mock.addProfile(QStringLiteral("B"));
    const auto backend = korvelBackend();
    CWinInetConnection connection(backend);

    EXPECT_FALSE(connection.HangUp().toBool()) << "nothing dialled yet";
    try {
        connection.Dial(0, QStringLiteral("Nope"), 0);
        ADD_FAILURE() << "no error raised";
    } catch (const ConnectionError& error) {
        EXPECT_EQ(error.number(), ConnectionError::NumberBase + NetErrorCode::ItemNotFound);
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("WinInet API Error: 12028 ")));
    }
    ASSERT_TRUE(connection.Dial(0, QStringLiteral("B"), InternetFlags::DialUnattended));
    const QStringList active = mock.activeConnections();
    ASSERT_EQ(active.size(), 2);

    mock.setPrimaryConnection(active.last(), QStringLiteral("gsm"));
    connection.Refresh();
    EXPECT_TRUE(connection.UseModem());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("B"));
    CNetConnect netConnect(backend);
    netConnect.setKnownTestSites({});
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("Modem"));

    EXPECT_TRUE(connection.HangUp().toBool());
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
    EXPECT_FALSE(connection.HangUp().toBool()) << "already hung up";
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
}

TEST_F(NetworkManagerTest, NumbersAreForgottenWhenNetworkManagerLeaves)
{
    mock.addModemDevice();
    mock.addProfile(QStringLiteral("A"));
    const auto backend = korvelBackend();
    quint32 before = 0;
    ASSERT_TRUE(backend->dial(QStringLiteral("A"), 0, before).ok);
    mock.stop();
    EXPECT_FALSE(backend->networkManagerPresent());
    EXPECT_EQ(backend->connectedState().flags & InternetFlags::RasInstalled, 0u);

    // A restarted NetworkManager hands out the same object path again; the
    // old number must not take down the new connection.
    NetworkManagerMock restarted(bus);
    ASSERT_TRUE(restarted.errorText().isEmpty()) << qPrintable(restarted.errorText());
    restarted.addModemDevice();
    restarted.addProfile(QStringLiteral("A"));
    quint32 after = 0;
    ASSERT_TRUE(backend->dial(QStringLiteral("A"), 0, after).ok);
    EXPECT_FALSE(backend->hangUp(before).ok);
    EXPECT_EQ(restarted.activeConnections().size(), 1);
    EXPECT_TRUE(backend->hangUp(after).ok);
}

TEST(NoNetworkManager, AQuietBusOrNoBusFallsBackToKernelRoutes)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText());
    QTemporaryDir dir;
    const QDBusConnection missing = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-such-socket")), QStringLiteral("korvel-missing"));
    for (const QDBusConnection& dbus : {bus.connect(QStringLiteral("korvel-no-nm")), missing}) {
        auto backend = std::make_shared<BackendSelector>(dbus);
        CWinInetConnection connection(backend);
        EXPECT_NO_THROW(connection.Refresh());
        EXPECT_FALSE(connection.IsRasInstalled());
        QStringList entries{QStringLiteral("stale")};
        DialUpEntries::DUN_Services(entries, *backend);
        EXPECT_TRUE(entries.isEmpty());
        EXPECT_THROW(connection.Dial(0, QStringLiteral("A"), 0), ConnectionError);
    }
}

} // namespace
