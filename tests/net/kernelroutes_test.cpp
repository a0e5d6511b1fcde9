#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/kernelroutebackend.h"
#include "net/kernelroutes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray Ipv4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const QByteArray Ipv4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
const QByteArray Ipv4Subnet = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const QByteArray Ipv6LoReject = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";
const QByteArray Ipv6Default = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                               "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     wlan0\n";

TEST(KernelRoutes, FindsTheDefaultRouteInterface)
{
    EXPECT_EQ(KernelRoutes::defaultRouteInterface(Ipv4Header + Ipv4Subnet + Ipv4Default, {}), QStringLiteral("eth0"));
    EXPECT_EQ(KernelRoutes::defaultRouteInterface(Ipv4Header + Ipv4Subnet, Ipv6LoReject + Ipv6Default),
              QStringLiteral("wlan0"));
}

TEST(KernelRoutes, IgnoresRejectDownAndDamagedRoutes)
{
    QByteArray down = Ipv4Default;
    down.replace("0003", "0002");
    EXPECT_TRUE(KernelRoutes::defaultRouteInterface(Ipv4Header + Ipv4Subnet + down, Ipv6LoReject).isEmpty());
    EXPECT_TRUE(KernelRoutes::defaultRouteInterface(Ipv4Default, {}).isEmpty()) << "first line is the header";
    EXPECT_TRUE(KernelRoutes::defaultRouteInterface(Ipv4Header + "eth0\t00000000\n\n\t\tgarbage", "00 00").isEmpty());
    EXPECT_TRUE(KernelRoutes::defaultRouteInterface({}, {}).isEmpty());
}

class KernelRouteBackendTest : public testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& contents)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return file.fileName();
    }

    QTemporaryDir dir;
};

TEST_F(KernelRouteBackendTest, DefaultRouteMeansConnectedOverLanWithoutRas)
{
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        qunsetenv(name);
    const QString ipv6 = dir.filePath(QStringLiteral("missing"));
    CWinInetConnection connection(
        std::make_shared<KernelRouteBackend>(write(QStringLiteral("route"), Ipv4Header + Ipv4Default), ipv6));
    connection.Refresh();
    EXPECT_TRUE(connection.IsConnected());
    EXPECT_TRUE(connection.UseLAN());
    EXPECT_FALSE(connection.UseProxy());
    EXPECT_FALSE(connection.IsRasInstalled());
    EXPECT_EQ(connection.ConnectionName(), QStringLiteral("eth0"));

    qputenv("http_proxy", "http://127.0.0.1:3128");
    CWinInetConnection viaProxy(
        std::make_shared<KernelRouteBackend>(write(QStringLiteral("route2"), Ipv4Header + Ipv4Subnet), ipv6));
    viaProxy.Refresh();
    EXPECT_FALSE(viaProxy.IsConnected());
    EXPECT_FALSE(viaProxy.UseLAN());
    EXPECT_TRUE(viaProxy.UseProxy());
    qunsetenv("http_proxy");
}

TEST_F(KernelRouteBackendTest, UnreadableRouteTableRaisesTheSystemError)
{
    CWinInetConnection connection(std::make_shared<KernelRouteBackend>(dir.filePath(QStringLiteral("missing")),
                                                                       dir.filePath(QStringLiteral("missing6"))));
    try {
        connection.Refresh();
        FAIL() << "no error raised";
    } catch (const ConnectionError& error) {
        EXPECT_EQ(error.number(), ConnectionError::NumberBase + 2);
        EXPECT_EQ(error.description(), QStringLiteral("Win32API Error: 2 No such file or directory"));
    }
}

} // namespace
