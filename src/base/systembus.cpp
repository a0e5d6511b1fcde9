// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/systembus.h"

#include "base/eventslice.h"

#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QtEndian>
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

// The daemon's greeting: every client's first message, with no arguments.
QByteArray helloMessage()
{
    QByteArray fields;
    const auto append32 = [](QByteArray& bytes, quint32 value) {
        const quint32 little = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
    };
    // Each header field: code, signature of one type, then the string.
    const auto field = [&](char code, char type, const QByteArray& text) {
        while (fields.size() % 8 != 0)
            fields.append('\0');
        fields.append(code).append('\1').append(type).append('\0');
        append32(fields, quint32(text.size()));
        fields.append(text).append('\0');
    };
    field(1, 'o', "/org/freedesktop/DBus");
    field(2, 's', kDaemon.toLatin1());
    field(3, 's', "Hello");
    field(6, 's', kDaemon.toLatin1());
    // Little-endian method call, no flags, version 1, no body, serial 1.
    QByteArray message("l\1\0\1", 4);
    append32(message, 0);
    append32(message, 1);
    append32(message, quint32(fields.size()));
    message.append(fields);
    while (message.size() % 8 != 0)
        message.append('\0');
    return message;
}

// Waits for the daemon's next bytes; false when none come in time (the end
// of the connection is an answer too: Qt then fails fast on its own).
bool answers(int fd, const QDeadlineTimer& deadline, QByteArray* received = nullptr)
{
    if (!(EventSlice::waitForDescriptor(fd, POLLIN, int(deadline.remainingTime())) & (POLLIN | POLLHUP | POLLERR)))
        return false;
    char bytes[256];
    const ssize_t count = ::recv(fd, bytes, sizeof bytes, MSG_DONTWAIT);
    if (received && count > 0)
        received->append(bytes, count);
    return true;
}

// The first line of the daemon's answer, or what it sent before it ended
// the connection.
bool answersLine(int fd, const QDeadlineTimer& deadline, QByteArray& line)
{
    for (qsizetype before = -1; line.size() != before && !line.contains('\n') && line.size() < 4096;) {
        before = line.size();
        if (!answers(fd, deadline, &line))
            return false;
    }
    return true;
}

bool sendAll(int fd, const QByteArray& bytes)
{
    return ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size();
}

// False only for a daemon that takes the connection and then does not
// answer the authentication or the greeting in time; a missing bus fails
// fast on its own.
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
        const QDeadlineTimer deadline(kHandshakeTimeoutMsecs);
        const QByteArray request = QByteArray(1, '\0') + "AUTH EXTERNAL "
            + QByteArray::number(::getuid()).toHex() + "\r\n";
        QByteArray reply;
        answered = !sendAll(fd, request) || answersLine(fd, deadline, reply);
        // Accepted: the greeting is what Qt's connection waits on next.
        if (answered && reply.startsWith("OK ") && sendAll(fd, "BEGIN\r\n" + helloMessage()))
            answered = answers(fd, deadline);
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
