// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/systembus.h"

#include "base/eventslice.h"

#include <QDBusMessage>
#include <QLoggingCategory>
#include <QStringList>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcBus, "korvel.bus", QtInfoMsg)

namespace SystemBus {

namespace {

const QString kDaemon = QStringLiteral("org.freedesktop.DBus");

QString busAddress()
{
    const QString configured = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return configured.isEmpty() ? QStringLiteral("unix:path=/var/run/dbus/system_bus_socket") : configured;
}

struct UnixSocket
{
    sockaddr_un address{};
    socklen_t length = 0;
};

// The first unix socket of a D-Bus address list ("unix:path=..." or
// "unix:abstract=..."); other transports are not tried here.
std::optional<UnixSocket> unixSocketOf(const QString& addresses)
{
    for (const QString& address : addresses.split(u';', Qt::SkipEmptyParts)) {
        if (!address.startsWith(QLatin1String("unix:")))
            continue;
        for (const QString& pair : address.mid(5).split(u',')) {
            const QString key = pair.section(u'=', 0, 0);
            const QByteArray value = QByteArray::fromPercentEncoding(pair.section(u'=', 1).toLatin1());
            const bool abstract = key == QLatin1String("abstract");
            if ((!abstract && key != QLatin1String("path")) || value.isEmpty()
                || size_t(value.size()) + 1 >= sizeof(sockaddr_un::sun_path))
                continue;
            UnixSocket socket;
            socket.address.sun_family = AF_UNIX;
            // An abstract name starts with a zero byte.
            std::memcpy(socket.address.sun_path + (abstract ? 1 : 0), value.constData(), size_t(value.size()));
            // The leading zero of an abstract name, or the path's closing one.
            socket.length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(value.size()));
            return socket;
        }
    }
    return std::nullopt;
}

// False only for a daemon that takes the connection and does not answer the
// first line of the handshake in time; a missing bus fails fast on its own.
bool answersHandshake(const UnixSocket& target)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return true;
    bool answered = true;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target.address), target.length) != 0) {
        // A full queue of connections nobody takes is a daemon that hangs.
        answered = errno != EAGAIN;
    } else {
        const QByteArray request = QByteArray(1, '\0') + "AUTH EXTERNAL "
            + QByteArray::number(::getuid()).toHex() + "\r\n";
        answered = ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL) != request.size()
            || EventSlice::waitForDescriptor(fd, POLLIN, kHandshakeTimeoutMsecs) != 0;
    }
    ::close(fd);
    return answered;
}

std::optional<QString>& checkedProblem()
{
    static std::optional<QString> problem;
    return problem;
}

void check()
{
    if (checkedProblem())
        return;
    const QString address = busAddress();
    const std::optional<UnixSocket> socket = unixSocketOf(address);
    checkedProblem() = QString();
    if (socket && !answersHandshake(*socket)) {
        checkedProblem() = QStringLiteral("the system bus (%1) did not answer within %2 s; going on without "
                                          "NetworkManager and systemd-timedated")
                               .arg(address)
                               .arg(kHandshakeTimeoutMsecs / 1000);
        qCWarning(lcBus).noquote() << *checkedProblem();
    }
}

QDBusMessage askDaemon(const QDBusConnection& bus, const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kDaemon, QStringLiteral("/org/freedesktop/DBus"), kDaemon,
                                                       method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, kCallTimeoutMsecs);
}

bool firstArgument(const QDBusMessage& reply, QVariant& value)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCInfo(lcBus) << "The bus did not answer:" << reply.errorName() << reply.errorMessage();
        return false;
    }
    value = reply.arguments().constFirst();
    return true;
}

} // namespace

QDBusConnection connection()
{
    check();
    if (!checkedProblem()->isEmpty())
        return QDBusConnection(QStringLiteral("korvel-silent-system-bus"));
    return QDBusConnection::systemBus();
}

QString problem()
{
    check();
    return *checkedProblem();
}

bool hasOwner(const QDBusConnection& bus, const QString& service)
{
    QVariant owned;
    return bus.isConnected() && firstArgument(askDaemon(bus, QStringLiteral("NameHasOwner"), {service}), owned)
        && owned.toBool();
}

bool isActivatable(const QDBusConnection& bus, const QString& service)
{
    QVariant names;
    return bus.isConnected() && firstArgument(askDaemon(bus, QStringLiteral("ListActivatableNames"), {}), names)
        && names.toStringList().contains(service);
}

} // namespace SystemBus
