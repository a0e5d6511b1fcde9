// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Reads the kernel's routing tables in the text form of /proc/net/route and
// /proc/net/ipv6_route.
namespace KernelRoutes {
// Interface of the first usable default route (up, not a reject route), or
// an empty string when there is none. Either table may be empty.
QString defaultRouteInterface(const QByteArray& ipv4Table, const QByteArray& ipv6Table);
} // namespace KernelRoutes
