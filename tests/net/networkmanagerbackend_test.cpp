#include "net/backendselector.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"

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

TEST_F(NetworkManagerTest, HangUpTakesDownOnlyTheDialledConnection)
{
    mock.addModemDevice();
    const QString wired = mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet"));
    const QString foreign = mock.addActiveConnection(wired, QStringLiteral("foreign"));
    mock.addProfile(QStringLiteral("A"));
    mock.addProfile(QStringLiteral("B"));
    CWinInetConnection connection(korvelBackend());
    EXPECT_FALSE(connection.HangUp().toBool()) << "nothing dialled yet";
    EXPECT_THROW(connection.Dial(0, QStringLiteral("Nope"), 0), ConnectionError);
    ASSERT_TRUE(connection.Dial(0, QStringLiteral("B"), InternetFlags::DialUnattended));
    ASSERT_EQ(mock.activeConnections().size(), 2);
    EXPECT_TRUE(connection.HangUp().toBool());
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
    EXPECT_FALSE(connection.HangUp().toBool()) << "already hung up";
    EXPECT_EQ(mock.activeConnections(), QStringList{foreign});
}

TEST_F(NetworkManagerTest, FlagsFollowThePrimaryConnectionStateAndNetworking)
{
    mock.addModemDevice();
    const QString dialUp = mock.addActiveConnection(mock.addProfile(QStringLiteral("A")), QStringLiteral("A"));
    const QString wired = mock.addActiveConnection(
        mock.addProfile(QStringLiteral("Wired"), QStringLiteral("802-3-ethernet")), QStringLiteral("Wired"));
    CWinInetConnection connection(korvelBackend());

    mock.setState(NetworkManagerMock::StateConnectedGlobal);
    mock.setPrimaryConnection(dialUp, QStringLiteral("gsm"));
    connection.Refresh();
    EXPECT_TRUE(connection.IsConnected() && connection.UseModem() && connection.IsRasInstalled()
                && connection.IsConnectionConfigured());
    EXPECT_FALSE(connection.UseLAN() || connection.IsOffline());

    mock.setPrimaryConnection(wired, QStringLiteral("802-3-ethernet"));
    connection.Refresh();
    EXPECT_TRUE(connection.UseLAN());
    EXPECT_FALSE(connection.UseModem());

    mock.setNetworkingEnabled(false);
    mock.setState(NetworkManagerMock::StateDisconnected);
    connection.Refresh();
    EXPECT_TRUE(connection.IsOffline());
    EXPECT_FALSE(connection.IsConnected());
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
