// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/dialupentries.h"
#include "net/internetflags.h"
#include "net/neterrorcode.h"

#include "support/fakebackend.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// What `call` raises, as "<number> <source>: <description>"; empty when it raises nothing.
QString raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ConnectionError& error) {
        return QStringLiteral("%1 %2: %3").arg(error.number(), 0, 16).arg(error.source(), error.description());
    }
    return {};
}

class CWinInetConnectionTest : public testing::Test
{
protected:
    std::shared_ptr<FakeBackend> backend = std::make_shared<FakeBackend>();
    CWinInetConnection connection{backend};
};

TEST_F(CWinInetConnectionTest, RefreshReadsTheDialUpFlagAndAFailureRaisesAndKeepsTheEarlierState)
{
    backend->state = {NetResult::success(), 0x12, "Office LAN"};
    connection.Refresh();
    EXPECT_TRUE(connection.IsRasInstalled());
    // Modem busy has no field of its own; not connected without an error is no error.
    backend->state = {NetResult::failure(0), InternetFlags::ModemBusy, {}};
    connection.Refresh();
    EXPECT_FALSE(connection.IsRasInstalled());
    backend->state = {NetResult::failure(NetErrorCode::InternalError, "The name is not activatable"), 0x7F, "other"};
    EXPECT_EQ(raised([&] { connection.Refresh(); }),
              "800432cc CWinInetConnection.Refresh: WinInet API Error: 12004 The name is not activatable");
    EXPECT_FALSE(connection.IsRasInstalled());
}

TEST_F(CWinInetConnectionTest, ErrorNumbersAndPrefixesSplitAt12000)
{
    // Numbers are 0x800403E8 plus the code. 12000 is still a system code, which
    // has no text: the description ends with one space.
    const std::tuple<qint32, const char*, const char*> rows[] = {
        {12000, "ignored for system codes", "800432c8 CWinInetConnection.Dial: Win32API Error: 12000 "},
        {12001, "No more handles", "800432c9 CWinInetConnection.Dial: WinInet API Error: 12001 No more handles"},
        {ENOENT, "", "800403ea CWinInetConnection.Dial: Win32API Error: 2 No such file or directory"},
    };
    for (const auto& [code, message, expected] : rows) {
        backend->dialResult = NetResult::failure(code, message);
        EXPECT_EQ(raised([&] { connection.Dial(0, "A", 0); }), expected);
    }
    // No code, or a negative one: a plain False, nothing raised.
    for (const qint32 code : {0, -5}) {
        backend->dialResult = NetResult::failure(code);
        EXPECT_FALSE(connection.Dial(0, "A", 0));
    }
}

TEST(DialUpEntries, ListsAFullTableButNoneBeyondIt)
{
    FakeBackend backend;
    for (int i = 0; i < 256; ++i)
        backend.entries.append(QString::number(i));
    QStringList entries;
    DialUpEntries::DUN_Services(entries, backend);
    EXPECT_EQ(entries, backend.entries);
    backend.entries.append(QStringLiteral("one too many"));
    DialUpEntries::DUN_Services(entries, backend);
    EXPECT_TRUE(entries.isEmpty());
}

} // namespace
