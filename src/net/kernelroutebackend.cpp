// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/kernelroutebackend.h"

#include "net/internetflags.h"
#include "net/kernelroutes.h"
#include "net/systemproxy.h"

#include <QFile>

#include <cerrno>

namespace {

// QFile keeps errno to itself; open() here so the real reason is reported.
bool readAll(const QString& path, QByteArray& contents, int& error)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        error = errno ? errno : ENOENT;
        return false;
    }
    contents = file.readAll();
    return true;
}

} // namespace

KernelRouteBackend::KernelRouteBackend(QString ipv4RoutePath, QString ipv6RoutePath)
    : m_ipv4RoutePath(std::move(ipv4RoutePath))
    , m_ipv6RoutePath(std::move(ipv6RoutePath))
{
}

ConnectedState KernelRouteBackend::connectedState()
{
    ConnectedState state;
    QByteArray ipv4;
    int error = 0;
    if (!readAll(m_ipv4RoutePath, ipv4, error)) {
        state.result = NetResult::fromErrno(error);
        return state;
    }
    QByteArray ipv6;
    readAll(m_ipv6RoutePath, ipv6, error); // a kernel without IPv6 has no such table

    if (SystemProxy::inUse())
        state.flags |= InternetFlags::Proxy;
    state.name = KernelRoutes::defaultRouteInterface(ipv4, ipv6);
    if (state.name.isEmpty()) {
        state.result = NetResult::failure();
        return state;
    }
    state.flags |= InternetFlags::Lan | InternetFlags::Configured;
    state.result = NetResult::success();
    return state;
}

NetResult KernelRouteBackend::dial(const QString&, qint32, quint32&)
{
    return NetResult::fromErrno(ENOSYS);
}

NetResult KernelRouteBackend::hangUp(quint32)
{
    return NetResult::fromErrno(ENOSYS);
}

NetResult KernelRouteBackend::autodial(qint32)
{
    return connectedState().result.ok ? NetResult::success() : NetResult::fromErrno(ENOSYS);
}

NetResult KernelRouteBackend::autodialHangup()
{
    return NetResult::fromErrno(ENOSYS);
}

NetResult KernelRouteBackend::setGlobalOnline(bool)
{
    return NetResult::fromErrno(ENOSYS);
}

NetResult KernelRouteBackend::goOnline(const QString&)
{
    return autodial(0);
}

QStringList KernelRouteBackend::dialUpEntries()
{
    return {};
}
