#include "support/timeserverfixture.h"
#include "timeclient/socketlayer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>

namespace {
// Connects to a fixture and returns what one ReceiveData call gives.
QByteArray receiveFrom(const TimeServerFixture& server)
{
    SocketLayer layer;
    EXPECT_TRUE(layer.StartSockets());
    EXPECT_EQ(layer.CreateSocket(), 0);
    const int socket = layer.ConnectSocket(QStringLiteral("127.0.0.1"), server.port());
    EXPECT_NE(socket, -1);
    const QByteArray data = layer.ReceiveData(socket, 1);
    layer.CloseSocket(socket);
    EXPECT_TRUE(layer.EndSockets());
    return data;
}
} // namespace

TEST(SocketLayer, ResolvesDottedTextWithoutLookupAndMarksUnknownNames)
{
    EXPECT_EQ(SocketLayer::HostToAddress("192.0.2.1"), ::inet_addr("192.0.2.1"));
    EXPECT_EQ(SocketLayer::ResolveHost("192.0.2.1"), "192.0.2.1");
    EXPECT_EQ(SocketLayer::ResolveHost("localhost"), "127.0.0.1");
    EXPECT_EQ(SocketLayer::HostToAddress("no-such-host.invalid"), INADDR_NONE);
    EXPECT_EQ(SocketLayer::ResolveHost("no-such-host.invalid"), SocketLayer::kUnresolved);
}

TEST(SocketLayer, ReceiveDataReturnsOneReadOfAtMost4096Bytes)
{
    const QByteArray four = TimeServerFixture::bytes({0x00, 0xFF, 0x80, 0x7F});
    EXPECT_EQ(receiveFrom(TimeServerFixture({four})), four);

    const QByteArray many(5000, 'x');
    EXPECT_EQ(receiveFrom(TimeServerFixture({many})), many.left(SocketLayer::kReceiveBufferSize));
}

TEST(SocketLayer, RefusedConnectFailsAndEndSocketsClosesTheUnusedSocket)
{
    SocketLayer layer;
    ASSERT_EQ(layer.CreateSocket(), 0);
    EXPECT_EQ(layer.ConnectSocket("127.0.0.1", TimeServerFixture::refusedPort()), -1);
    EXPECT_EQ(layer.lastError(), ECONNREFUSED);
    EXPECT_EQ(layer.ConnectSocket("127.0.0.1:37", 37), -1);
    EXPECT_EQ(layer.lastError(), EADDRNOTAVAIL);

    // The descriptor the layer opened is the lowest free one; after EndSockets
    // the next socket reuses it, which shows it was closed.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    ::close(probe);
    EXPECT_TRUE(layer.EndSockets());
    const int reused = ::socket(AF_INET, SOCK_STREAM, 0);
    EXPECT_LT(reused, probe);
    ::close(reused);
}
