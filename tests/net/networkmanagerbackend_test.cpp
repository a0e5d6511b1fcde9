#include "net/backendselector.h"
#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"
#include "net/networkmanagerbackend.h"

#include "support/networkmanagermock.h"
#include "support/privatesystembus.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NetworkManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText());
        ASSERT_TRUE(mock.isRunning()) << qPrintable(mock.errorText());
    }

    QDBusConnection korvelBus() const { return bus.connect(QStringLiteral("korvel-under-test")); }

    PrivateSystemBus bus;
    NetworkManagerMock mock{bus};
};

TEST_F(NetworkManagerTest, ListsDialUpProfilesInOrderAndSkipsOtherKinds)
{
    mock.addProfile(QStringLiteral("A"), QStringLiteral("gsm"));
    mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    mock.addProfile(QStringLiteral("B"), QStringLiteral("pppoe"));
    mock.addProfile(QStringLiteral("C"), QStringLiteral("cdma"));
    const QString longName(256, QLatin1Char('n'));
    mock.addProfile(longName, QStringLiteral("bluetooth"));

    BackendSelector backend(korvelBus());
    QStringList entries{QStringLiteral("stale")};
    DialUpEntries::DUN_Services(entries, backend);
    EXPECT_EQ(entries, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), longName}));
}

TEST_F(NetworkManagerTest, EmptyPhoneBookGivesAnEmptyList)
{
    BackendSelector backend(korvelBus());
    QStringList entries{QStringLiteral("stale")};
    DialUpEntries::DUN_Services(entries, backend);
    EXPECT_TRUE(entries.isEmpty());
}

TEST_F(NetworkManagerTest, FlagsFollowPrimaryConnectionStateAndProfiles)
{
    auto backend = std::make_shared<BackendSelector>(korvelBus());
    CWinInetConnection connection(backend);

    mock.setState(NetworkManagerMock::StateDisconnected);
    mock.setNetworkingEnabled(false);
    connection.Refresh();
    EXPECT_FALSE(connection.IsConnected());
    EXPECT_TRUE(connection.IsRasInstalled());
    EXPECT_TRUE(connection.IsOffline());
    EXPECT_FALSE(connection.IsConnectionConfigured());
    EXPECT_FALSE(connection.UseLAN());
    EXPECT_FALSE(connection.UseModem());

    const QString wired = mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    const QString active = mock.addActiveConnection(wired, QStringLiteral("wired0"));
    mock.setPrimaryConnection(active, QStringLiteral("802-3-ethernet"));
    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setNetworkingEnabled(true);
    connection.Refresh();
    EXPECT_TRUE(connection.IsConnected());
    EXPECT_TRUE(connection.UseLAN());
    EXPECT_FALSE(connection.UseModem());
    EXPECT_FALSE(connection.IsOffline());
    EXPECT_TRUE(connection.IsConnectionConfigured());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("Wired"));
}

TEST_F(NetworkManagerTest, ActivationInProgressShowsAsBusyModem)
{
    const QString gsm = mock.addProfile(QStringLiteral("Mobile"));
    mock.addActiveConnection(gsm, QStringLiteral("pending"), NetworkManagerMock::ActiveActivating);
    NetworkManagerBackend backend(korvelBus());
    EXPECT_TRUE(backend.connectedState().flags & InternetFlags::ModemBusy);
}

TEST_F(NetworkManagerTest, DialThenHangUpTakesDownOnlyTheDialledConnection)
{
    mock.addModemDevice();
    const QString wired = mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    const QString foreign = mock.addActiveConnection(wired, QStringLiteral("foreign"));
    mock.addProfile(QStringLiteral("A"));
    mock.addProfile(QStringLiteral("B"));

    auto backend = std::make_shared<BackendSelector>(korvelBus());
    CWinInetConnection connection(backend);
    CNetConnect netConnect(backend);
    netConnect.setKnownTestSites({});

    EXPECT_FALSE(connection.HangUp().toBool()) << "nothing dialled yet";
    ASSERT_TRUE(connection.Dial(0, QStringLiteral("B"), InternetFlags::DialUnattended));
    QStringList active = mock.activeConnections();
    ASSERT_EQ(active.size(), 2);
    const QString dialled = active.last();

    mock.setPrimaryConnection(dialled, QStringLiteral("gsm"));
    connection.Refresh();
    EXPECT_TRUE(connection.UseModem());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("B"));
    EXPECT_TRUE(netConnect.Connected());
    EXPECT_EQ(netConnect.ConnectModeDesc(), QStringLiteral("Modem"));

    EXPECT_TRUE(connection.HangUp().toBool());
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
    EXPECT_FALSE(connection.HangUp().toBool()) << "already hung up";
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
}

TEST_F(NetworkManagerTest, DialingAnUnknownEntryRaisesItemNotFound)
{
    mock.addProfile(QStringLiteral("A"));
    CWinInetConnection connection(std::make_shared<BackendSelector>(korvelBus()));
    try {
        connection.Dial(0, QStringLiteral("Nope"), 0);
        FAIL() << "no error raised";
    } catch (const ConnectionError& error) {
        EXPECT_EQ(error.number(), ConnectionError::NumberBase + NetErrorCode::ItemNotFound);
        EXPECT_EQ(error.source(), QStringLiteral("CWinInetConnection.Dial"));
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("WinInet API Error: 12028 ")));
        EXPECT_TRUE(error.description().contains(QStringLiteral("Nope")));
    }
    EXPECT_TRUE(mock.activeConnections().isEmpty());
}

TEST_F(NetworkManagerTest, ActivationThatFailsOrHangsIsReported)
{
    mock.addProfile(QStringLiteral("A"));
    mock.makeActivationsEndIn(NetworkManagerMock::ActiveDeactivated);
    NetworkManagerBackend backend(korvelBus(), 500);
    quint32 number = 0;
    EXPECT_EQ(backend.dial(QStringLiteral("A"), 0, number).code, NetErrorCode::CannotConnect);

    mock.makeActivationsEndIn(NetworkManagerMock::ActiveActivating);
    number = 0;
    EXPECT_EQ(backend.dial(QStringLiteral("A"), 0, number).code, NetErrorCode::Timeout);
    EXPECT_NE(number, 0u) << "a dial still coming up can be hung up";
}

TEST_F(NetworkManagerTest, ConnectCommandReportsWhatTheProbeSees)
{
    mock.addModemDevice();
    mock.addProfile(QStringLiteral("A"));
    mock.setState(NetworkManagerMock::StateDisconnected);
    auto backend = std::make_shared<BackendSelector>(korvelBus());
    CWinInetConnection connection(backend);
    CNetConnect netConnect(backend);
    netConnect.setKnownTestSites({});

    // The mock brings the profile up but leaves the global state alone.
    const ConnectCommands::ConnectOutcome down = ConnectCommands::connect(connection, netConnect, QStringLiteral("A"));
    EXPECT_EQ(down.statusLine, QStringLiteral("Status: No Connection Found"));
    EXPECT_TRUE(down.connectEnabled);

    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setPrimaryConnection(mock.activeConnections().value(0), QStringLiteral("gsm"));
    const ConnectCommands::ConnectOutcome up = ConnectCommands::connect(connection, netConnect, QStringLiteral("nope"));
    EXPECT_EQ(up.statusLine, QStringLiteral("Status: Connected - Modem"));
    EXPECT_FALSE(up.connectEnabled);
}

TEST_F(NetworkManagerTest, NumbersAreForgottenWhenNetworkManagerLeaves)
{
    mock.addModemDevice();
    mock.addProfile(QStringLiteral("A"));
    QTemporaryDir routes;
    BackendSelector backend(korvelBus(), std::make_unique<KernelRouteBackend>(routes.filePath(QStringLiteral("none")),
                                                                              routes.filePath(QStringLiteral("none6"))));
    quint32 before = 0;
    ASSERT_TRUE(backend.dial(QStringLiteral("A"), 0, before).ok);

    mock.stop();
    EXPECT_FALSE(backend.networkManagerPresent());
    EXPECT_EQ(backend.connectedState().flags & InternetFlags::RasInstalled, 0u);

    // A restarted NetworkManager hands out the same object path again; the
    // old number must not take down the new connection.
    NetworkManagerMock restarted(bus);
    ASSERT_TRUE(restarted.isRunning()) << qPrintable(restarted.errorText());
    restarted.addModemDevice();
    restarted.addProfile(QStringLiteral("A"));
    quint32 after = 0;
    ASSERT_TRUE(backend.dial(QStringLiteral("A"), 0, after).ok);
    EXPECT_FALSE(backend.hangUp(before).ok);
    EXPECT_EQ(restarted.activeConnections().size(), 1);
    EXPECT_TRUE(backend.hangUp(after).ok);
    EXPECT_TRUE(restarted.activeConnections().isEmpty());
}

TEST(NoNetworkManager, BusWithoutItFallsBackToKernelRoutes)
{
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.isRunning()) << qPrintable(bus.errorText());
    auto backend = std::make_shared<BackendSelector>(bus.connect(QStringLiteral("korvel-no-nm")));
    CWinInetConnection connection(backend);
    connection.Refresh();
    EXPECT_FALSE(connection.IsRasInstalled());
    QStringList entries{QStringLiteral("stale")};
    DialUpEntries::DUN_Services(entries, *backend);
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_THROW(connection.Dial(0, QStringLiteral("A"), 0), ConnectionError);
}

TEST(NoNetworkManager, BusThatDoesNotExistFallsBackToKernelRoutes)
{
    QTemporaryDir dir;
    const QDBusConnection missing = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("no-such-socket")), QStringLiteral("korvel-missing"));
    ASSERT_FALSE(missing.isConnected());
    auto backend = std::make_shared<BackendSelector>(missing);
    CWinInetConnection connection(backend);
    // The connected state still comes from this machine's routing table.
    EXPECT_NO_THROW(connection.Refresh());
    EXPECT_FALSE(connection.IsRasInstalled());
    EXPECT_EQ(connection.IsConnected(), connection.UseLAN());
}

} // namespace
