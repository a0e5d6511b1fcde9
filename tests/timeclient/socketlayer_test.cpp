#include "support/timeserverfixture.h"
#include "timeclient/socketlayer.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(SocketLayer, ConnectFailsOnARefusedPortAndOnTextThatOnlyLooksDotted)
{
    SocketLayer layer;
    ASSERT_EQ(layer.CreateSocket(), 0);
    EXPECT_EQ(layer.ConnectSocket("127.0.0.1", TimeServerFixture::refusedEntry().section(u':', 1).toUShort()), -1);
    EXPECT_EQ(layer.lastError(), ECONNREFUSED);
    // inet_addr gives the broadcast address for such text; it must not be used.
    EXPECT_EQ(layer.ConnectSocket("127.0.0.1:37", 37), -1);
    EXPECT_EQ(layer.lastError(), EADDRNOTAVAIL);
    EXPECT_TRUE(layer.EndSockets());
}
