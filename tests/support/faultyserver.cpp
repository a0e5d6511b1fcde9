#include "support/faultyserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}
} // namespace

FaultyServer::FaultyServer(std::function<void(int)> serve)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(m_listener, 0);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    if (!serve) {
        fillAcceptQueue();
        return;
    }
    m_thread.reset(QThread::create([this, serve] {
        for (int connection; (connection = ::accept(m_listener, nullptr, nullptr)) >= 0 && !m_stopping;)
            serve(connection);
    }));
    m_thread->start();
}

FaultyServer::~FaultyServer()
{
    m_stopping = true;
    ::shutdown(m_listener, SHUT_RDWR);
    ::close(m_listener);
    if (m_thread)
        m_thread->wait();
    for (const int socket : m_fillers)
        ::close(socket);
}

// Connections nobody accepts fill the queue; once it is full the kernel
// drops new connection requests, as a black-holed address does.
void FaultyServer::fillAcceptQueue()
{
    const sockaddr_in address = loopback(m_port);
    for (int i = 0; i < 8; ++i) {
        const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        m_fillers.append(socket);
    }
    QThread::msleep(100);
}
