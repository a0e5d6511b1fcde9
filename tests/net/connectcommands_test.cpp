#include "net/cnetconnect.h"
#include "net/connectcommands.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"

#include "fakebackend.h"

#include <gtest/gtest.h>

namespace {

class ConnectCommandsTest : public testing::Test
{
protected:
    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CWinInetConnection connection{backend};
    CNetConnect netConnect{backend};
};

TEST_F(ConnectCommandsTest, ConnectDialsUnattendedEvenWithAnEmptyNameAndIgnoresItsError)
{
    netConnect.setKnownTestSites({});
    backend->dialResult = NetResult::failure(12029, QStringLiteral("no carrier"));
    const ConnectCommands::ConnectOutcome outcome = ConnectCommands::connect(connection, netConnect, QString());
    EXPECT_EQ(backend->dialCalls, 1);
    EXPECT_EQ(backend->lastDialName, QString());
    EXPECT_EQ(backend->lastDialFlags, InternetFlags::DialUnattended);
    EXPECT_EQ(outcome.statusLine, QStringLiteral("Status: No Connection Found"));
    EXPECT_TRUE(outcome.connectEnabled);
}

TEST_F(ConnectCommandsTest, DisconnectOnlyHangsUpWhatWasDialled)
{
    ConnectCommands::DisconnectOutcome outcome = ConnectCommands::disconnect(connection);
    EXPECT_FALSE(outcome.hungUp);
    EXPECT_EQ(outcome.statusLine, QStringLiteral("I can only disconnect from connections I made."));

    connection.Dial(0, QStringLiteral("A"), 0);
    outcome = ConnectCommands::disconnect(connection);
    EXPECT_TRUE(outcome.hungUp);
    EXPECT_EQ(outcome.statusLine, QStringLiteral("Status: Disconnected"));
}

TEST(DialUpEntries, ListsAtMostTheFirst256Entries)
{
    FakeBackend backend;
    for (int i = 0; i < 300; ++i)
        backend.entries.append(QString::number(i));
    QStringList entries;
    DialUpEntries::DUN_Services(entries, backend);
    ASSERT_EQ(entries.size(), 256);
    EXPECT_EQ(entries.first(), QStringLiteral("0"));
    EXPECT_EQ(entries.last(), QStringLiteral("255"));
}

} // namespace
