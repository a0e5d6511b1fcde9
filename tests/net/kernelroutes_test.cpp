// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/kernelroutes.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Ipv4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const QByteArray Ipv4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
const QByteArray Ipv4Subnet = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const QByteArray Ipv6LoReject = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n";
const QByteArray Ipv6Default = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                               "fd000000000000000000000000000001 00000400 00000002 00000000 00000003     wlan0\n";

TEST(KernelRoutes, FindsTheDefaultRouteAndIgnoresRejectDownAndDamagedOnes)
{
    using KernelRoutes::defaultRouteInterface;
    EXPECT_EQ(defaultRouteInterface(Ipv4Header + Ipv4Subnet + Ipv4Default, {}), QStringLiteral("eth0"));
    EXPECT_EQ(defaultRouteInterface(Ipv4Header + Ipv4Subnet, Ipv6LoReject + Ipv6Default), QStringLiteral("wlan0"));

    QByteArray down = Ipv4Default;
    down.replace("0003", "0002");
    EXPECT_TRUE(defaultRouteInterface(Ipv4Header + Ipv4Subnet + down, Ipv6LoReject).isEmpty());
    EXPECT_TRUE(defaultRouteInterface(Ipv4Default, {}).isEmpty()) << "first line is the header";
    EXPECT_TRUE(defaultRouteInterface(Ipv4Header + "eth0\t00000000\n\n\t\tgarbage", "00 00").isEmpty());
}

} // namespace
