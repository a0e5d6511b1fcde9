// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <sys/socket.h>

#include <vector>

// The blocking TCP steps of one time query attempt, on POSIX sockets. Every
// wait (look-up, connect, receive, pause) goes through EventSlice, so a
// window keeps painting while no click can start anything.
class SocketLayer
{
public:
    static constexpr int kReceiveBufferSize = 4096;
    // A dead server costs 10 seconds instead of the kernel's two minutes.
    static constexpr int kConnectTimeoutMsecs = 10'000;
    // The text of an address that cannot be written as one (INADDR_NONE).
    static inline const QString kUnresolved = QStringLiteral("255.255.255.255");

    // One address a server name resolved to, ready for connect().
    struct Address
    {
        sockaddr_storage storage{};
        socklen_t length = 0;
    };

    SocketLayer() = default;
    virtual ~SocketLayer();
    SocketLayer(const SocketLayer&) = delete;
    SocketLayer& operator=(const SocketLayer&) = delete;

    // Starts the layer for one attempt; false when fewer than four sockets
    // can be opened. The reason is in lastError().
    virtual bool StartSockets();
    // Ends the layer for one attempt: closes a socket the attempt left open.
    // False when that close failed.
    virtual bool EndSockets();
    // The system error code of the last failed step (errno).
    int lastError() const { return m_lastError; }

    // Every address of a host name, dotted IPv4 or IPv6 text, in the
    // resolver's order; none when it does not resolve.
    static std::vector<Address> ResolveHost(const QString& name, quint16 port);
    static QString AddressToText(const Address& address);

    // Creates the attempt's TCP socket for the address's family, bound to any
    // local address; a socket the layer still held is closed first. 0 on
    // success, -1 on failure.
    int CreateSocket(const Address& address);
    // The socket on success, -1 when the connection is refused, fails or
    // takes longer than `timeoutMsecs`.
    int ConnectSocket(const Address& address, int timeoutMsecs = kConnectTimeoutMsecs);
    // Reads until `enoughBytes` have come, the peer closes or the time-out
    // passes, whichever is first, at most kReceiveBufferSize bytes: an answer
    // split over several segments arrives whole. Empty after an error. The
    // wait is measured on a monotonic clock.
    QByteArray ReceiveData(int socket, int enoughBytes, int timeoutMsecs);
    void CloseSocket(int socket);

private:
    int m_socket = -1;
    int m_lastError = 0;
};
