#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"

#include "fakebackend.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class CWinInetConnectionTest : public testing::Test
{
protected:
    // The error a dial raises when the backend fails with `code`.
    ConnectionError dialError(qint32 code, const QString& message)
    {
        backend->dialResult = NetResult::failure(code, message);
        try {
            connection.Dial(0, QStringLiteral("A"), 0);
        } catch (const ConnectionError& error) {
            return error;
        }
        return ConnectionError(0, {}, QStringLiteral("nothing raised"));
    }

    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CWinInetConnection connection{backend};
};

TEST_F(CWinInetConnectionTest, RefreshDecodesEachFlagIntoItsOwnField)
{
    const auto fields = [&] {
        return QList<bool>{connection.UseModem(), connection.UseLAN(),     connection.UseProxy(),
                           connection.IsRasInstalled(), connection.IsOffline(), connection.IsConnectionConfigured()};
    };
    backend->state = {NetResult::success(), 0x12, QStringLiteral("Office LAN")};
    connection.Refresh();
    EXPECT_EQ(fields(), (QList<bool>{false, true, false, true, false, false}));
    EXPECT_TRUE(connection.IsConnected());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("Office LAN"));

    // Modem busy has no field of its own; not connected without an error is no error.
    backend->state = {NetResult::failure(0), InternetFlags::ModemBusy, {}};
    connection.Refresh();
    EXPECT_EQ(fields(), QList<bool>(6, false));
    EXPECT_FALSE(connection.IsConnected());

    // A failing refresh raises and keeps the earlier fields.
    backend->state = {NetResult::failure(NetErrorCode::InternalError, QStringLiteral("The name is not activatable")),
                      0x7F, QStringLiteral("other")};
    try {
        connection.Refresh();
        ADD_FAILURE() << "no error raised";
    } catch (const ConnectionError& error) {
        EXPECT_EQ(error.source(), QStringLiteral("CWinInetConnection.Refresh"));
        EXPECT_EQ(error.description(), QStringLiteral("WinInet API Error: 12004 The name is not activatable"));
    }
    EXPECT_EQ(fields(), QList<bool>(6, false));
    EXPECT_TRUE(connection.ConnectionName().isEmpty());
}

TEST_F(CWinInetConnectionTest, ErrorNumbersAndPrefixesSplitAt12000)
{
    // 12000 is still a system code, which has no text: the description ends with one space.
    const ConnectionError last = dialError(12000, QStringLiteral("ignored for system codes"));
    EXPECT_EQ(static_cast<qint32>(last.number()), -2147220504 + 12000);
    EXPECT_EQ(last.description(), QStringLiteral("Win32API Error: 12000 "));
    EXPECT_EQ(last.source(), QStringLiteral("CWinInetConnection.Dial"));

    const ConnectionError first = dialError(12001, QStringLiteral("No more handles"));
    EXPECT_EQ(first.number(), 0x800403E8u + 12001u);
    EXPECT_EQ(first.description(), QStringLiteral("WinInet API Error: 12001 No more handles"));

    EXPECT_EQ(dialError(ENOENT, {}).description(), QStringLiteral("Win32API Error: 2 No such file or directory"));

    // No code, or a negative one: a plain False, nothing raised.
    for (const qint32 code : {0, -5}) {
        backend->dialResult = NetResult::failure(code);
        EXPECT_FALSE(connection.Dial(0, QStringLiteral("A"), 0));
    }
}

TEST_F(CWinInetConnectionTest, HangUpOnlyTakesDownWhatThisObjectDialled)
{
    EXPECT_FALSE(connection.HangUp().toBool());
    EXPECT_TRUE(connection.Dial(0, QStringLiteral("A"), 0));
    EXPECT_TRUE(connection.HangUp().toBool());
    EXPECT_EQ(backend->hungUpNumbers, (QList<quint32>{0, 7}));
}

TEST(DialUpEntries, ListsAtMostTheFirst256Entries)
{
    FakeBackend backend;
    for (int i = 0; i < 300; ++i)
        backend.entries.append(QString::number(i));
    QStringList entries;
    DialUpEntries::DUN_Services(entries, backend);
    EXPECT_EQ(entries, backend.entries.first(256));
}

} // namespace
