#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"

#include "fakebackend.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

struct Snapshot
{
    bool modem, lan, proxy, ras, offline, configured;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const CWinInetConnection& connection)
{
    return {connection.UseModem(), connection.UseLAN(), connection.UseProxy(), connection.IsRasInstalled(),
            connection.IsOffline(), connection.IsConnectionConfigured()};
}

class CWinInetConnectionTest : public testing::Test
{
protected:
    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CWinInetConnection connection{backend};
};

TEST_F(CWinInetConnectionTest, RefreshDecodesEachFlagIntoItsOwnField)
{
    backend->state = {NetResult::success(), 0x12, QStringLiteral("Office LAN")};
    connection.Refresh();
    EXPECT_EQ(snapshot(connection), (Snapshot{false, true, false, true, false, false}));
    EXPECT_TRUE(connection.IsConnected());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("Office LAN"));

    // Modem busy is not kept.
    backend->state = {NetResult::success(), InternetFlags::ModemBusy, {}};
    connection.Refresh();
    EXPECT_EQ(snapshot(connection), (Snapshot{false, false, false, false, false, false}));

    backend->state = {NetResult::success(), 0x7F, QStringLiteral("all")};
    connection.Refresh();
    EXPECT_EQ(snapshot(connection), (Snapshot{true, true, true, true, true, true}));
}

TEST_F(CWinInetConnectionTest, RefreshNotConnectedWithoutErrorStillDecodes)
{
    backend->state = {NetResult::failure(0), InternetFlags::RasInstalled | InternetFlags::Offline, QStringLiteral("x")};
    EXPECT_NO_THROW(connection.Refresh());
    EXPECT_FALSE(connection.IsConnected());
    EXPECT_TRUE(connection.IsRasInstalled());
    EXPECT_TRUE(connection.IsOffline());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("x"));
}

TEST_F(CWinInetConnectionTest, RefreshThatRaisesKeepsTheEarlierSnapshot)
{
    backend->state = {NetResult::success(), InternetFlags::Lan, QStringLiteral("eth0")};
    connection.Refresh();

    backend->state = {NetResult::failure(NetErrorCode::InternalError, QStringLiteral("The name is not activatable")),
                      InternetFlags::Modem, QStringLiteral("other")};
    try {
        connection.Refresh();
        FAIL() << "no error raised";
    } catch (const ConnectionError& error) {
        EXPECT_EQ(error.source(), QStringLiteral("CWinInetConnection.Refresh"));
        EXPECT_EQ(error.description(), QStringLiteral("WinInet API Error: 12004 The name is not activatable"));
    }
    EXPECT_FALSE(connection.IsConnected());
    EXPECT_TRUE(connection.UseLAN());
    EXPECT_FALSE(connection.UseModem());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("eth0"));
}

TEST_F(CWinInetConnectionTest, ErrorNumbersAndPrefixesSplitAt12000)
{
    const auto raised = [&](qint32 code, const QString& message) {
        backend->dialResult = NetResult::failure(code, message);
        try {
            connection.Dial(0, QStringLiteral("A"), 0);
        } catch (const ConnectionError& error) {
            return error;
        }
        return ConnectionError(0, {}, {});
    };

    // 12000 has no system text: the description ends with the code and one space.
    const ConnectionError last = raised(12000, QStringLiteral("ignored for system codes"));
    EXPECT_EQ(last.number(), 0x800403E8u + 12000u);
    EXPECT_EQ(last.description(), QStringLiteral("Win32API Error: 12000 "));
    EXPECT_EQ(last.source(), QStringLiteral("CWinInetConnection.Dial"));

    const ConnectionError first = raised(12001, QStringLiteral("No more handles"));
    EXPECT_EQ(first.number(), 0x800403E8u + 12001u);
    EXPECT_EQ(static_cast<qint32>(first.number()), -2147220504 + 12001);
    EXPECT_EQ(first.description(), QStringLiteral("WinInet API Error: 12001 No more handles"));

    const ConnectionError system = raised(ENOENT, {});
    EXPECT_EQ(system.description(), QStringLiteral("Win32API Error: 2 No such file or directory"));

    const ConnectionError silent = raised(NetErrorCode::Timeout, {});
    EXPECT_EQ(silent.description(), QStringLiteral("WinInet API Error: 12002 "));

    // No code, or a negative one: a plain False, nothing raised.
    backend->dialResult = NetResult::failure(0);
    EXPECT_FALSE(connection.Dial(0, QStringLiteral("A"), 0));
    backend->dialResult = NetResult::failure(-5);
    EXPECT_FALSE(connection.Dial(0, QStringLiteral("A"), 0));
}

TEST_F(CWinInetConnectionTest, EachMemberNamesItselfAsSource)
{
    backend->onlineResult = NetResult::failure(EPERM, {});
    const auto sourceOf = [](const auto& call) {
        try {
            call();
        } catch (const ConnectionError& error) {
            return error.source();
        }
        return QString();
    };
    EXPECT_EQ(sourceOf([&] { connection.SetGlobalOnline(); }), QStringLiteral("CWinInetConnection.SetGlobalOnline"));
    EXPECT_EQ(sourceOf([&] { connection.SetGlobalOffline(); }), QStringLiteral("CWinInetConnection.SetGlobalOffline"));
    EXPECT_EQ(sourceOf([&] { connection.GoOnline(QStringLiteral("http://127.0.0.1/"), 0); }),
              QStringLiteral("CWinInetConnection.GoOnline"));

    backend->autodialResult = NetResult::failure(EPERM, {});
    bool result = true;
    EXPECT_NO_THROW(result = connection.Autodial(0, 0, true));
    EXPECT_FALSE(result);
}

TEST_F(CWinInetConnectionTest, DialAddsTheOfflineButtonBitOnlyWhenAsked)
{
    EXPECT_TRUE(connection.Dial(0, QStringLiteral("A"), InternetFlags::DialUnattended, true));
    EXPECT_EQ(backend->lastDialFlags, 0x8000 + 0x4000);
    EXPECT_TRUE(connection.Dial(0, QStringLiteral("A"), InternetFlags::DialUnattended));
    EXPECT_EQ(backend->lastDialFlags, 0x8000);
}

TEST_F(CWinInetConnectionTest, HangUpUsesTheNumberOfTheLastDial)
{
    EXPECT_FALSE(connection.HangUp().toBool());
    EXPECT_TRUE(connection.Dial(0, QStringLiteral("A"), 0));
    EXPECT_TRUE(connection.HangUp().toBool());
    connection.HangUp(); // the number is kept and passed again
    EXPECT_EQ(backend->hungUpNumbers, (QList<quint32>{0, 7, 7}));
}

} // namespace
