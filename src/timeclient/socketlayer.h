#pragma once

#include <QByteArray>
#include <QString>

#include <netinet/in.h>

// The blocking TCP steps of one time query attempt, on POSIX sockets. Every
// wait (look-up, connect, receive, pause) goes through EventSlice, so a
// window keeps painting while no click can start anything.
class SocketLayer
{
public:
    static constexpr int kReceiveBufferSize = 4096;
    // A dead server costs 10 seconds instead of the kernel's two minutes.
    static constexpr int kConnectTimeoutMsecs = 10'000;
    // Dotted text of an address that does not resolve (INADDR_NONE).
    static inline const QString kUnresolved = QStringLiteral("255.255.255.255");

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

    // Dotted address of a name or dotted text; kUnresolved when unknown.
    static QString ResolveHost(const QString& name);
    // Network-order IPv4 address; dotted text needs no lookup. INADDR_NONE
    // when the name does not resolve.
    static in_addr_t HostToAddress(const QString& name);
    static QString AddressToText(in_addr_t address);

    // Creates the attempt's TCP socket bound to any local address:
    // 0 on success, -1 on failure.
    int CreateSocket();
    // The socket on success, -1 when the address is not dotted IPv4 text or
    // the connection is refused, fails or takes longer than `timeoutMsecs`.
    int ConnectSocket(const QString& hostAddress, quint16 port, int timeoutMsecs = kConnectTimeoutMsecs);
    // What one read returns, at most kReceiveBufferSize bytes; empty after a
    // time-out, an error or a peer that closed without sending. The wait is
    // measured on a monotonic clock.
    QByteArray ReceiveData(int socket, int timeoutSeconds);
    void CloseSocket(int socket);

private:
    int m_socket = -1;
    int m_lastError = 0;
};
