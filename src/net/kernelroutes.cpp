// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/kernelroutes.h"

#include <QList>

namespace {

constexpr quint32 RouteUp = 0x0001;
constexpr quint32 RouteReject = 0x0200;

bool usable(const QByteArray& flagsHex)
{
    bool ok = false;
    const quint32 flags = flagsHex.toUInt(&ok, 16);
    return ok && (flags & RouteUp) && !(flags & RouteReject);
}

// Iface Destination Gateway Flags RefCnt Use Metric Mask ...; first line is a header.
QString ipv4Default(const QByteArray& table)
{
    const QList<QByteArray> lines = table.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 8)
            continue;
        if (fields[1] == "00000000" && fields[7] == "00000000" && usable(fields[3]))
            return QString::fromLocal8Bit(fields[0]);
    }
    return {};
}

// dest dest_len src src_len next_hop metric refcnt use flags iface; no header.
QString ipv6Default(const QByteArray& table)
{
    const QByteArray anyAddress(32, '0');
    for (const QByteArray& line : table.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 10)
            continue;
        if (fields[0] == anyAddress && fields[1] == "00" && usable(fields[8]) && fields[9] != "lo")
            return QString::fromLocal8Bit(fields[9]);
    }
    return {};
}

} // namespace

namespace KernelRoutes {

QString defaultRouteInterface(const QByteArray& ipv4Table, const QByteArray& ipv6Table)
{
    const QString ipv4 = ipv4Default(ipv4Table);
    return ipv4.isEmpty() ? ipv6Default(ipv6Table) : ipv4;
}

} // namespace KernelRoutes
