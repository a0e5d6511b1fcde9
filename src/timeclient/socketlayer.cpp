#include "timeclient/socketlayer.h"

#include "base/eventslice.h"
#include "timeclient/timeclientlog.h"


#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <limits>
#include <future>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr rlim_t kMinSockets = 4;
// A name look-up has no limit of its own: the resolver's time-outs apply.
constexpr int kUnlimitedMsecs = std::numeric_limits<int>::max();
} // namespace

SocketLayer::~SocketLayer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

bool SocketLayer::StartSockets()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        m_lastError = errno;
        return false;
    }
    if (limit.rlim_cur < kMinSockets) {
        m_lastError = EMFILE;
        qCWarning(lcTimeClient).noquote()
            << QStringLiteral("Not enough WinSockets are available on this machine.  ")
                   + QString::number(limit.rlim_cur)
                   + QStringLiteral("Please check you systems configuration. cannot run until this is corrected.");
        return false;
    }
    return true;
}

bool SocketLayer::EndSockets()
{
    if (m_socket < 0)
        return true;
    const bool closed = ::close(m_socket) == 0;
    if (!closed)
        m_lastError = errno;
    m_socket = -1;
    return closed;
}

QString SocketLayer::ResolveHost(const QString& name)
{
    return AddressToText(HostToAddress(name));
}

in_addr_t SocketLayer::HostToAddress(const QString& name)
{
    const QByteArray text = name.toLocal8Bit();
    const in_addr_t dotted = ::inet_addr(text.constData());
    if (dotted != INADDR_NONE)
        return dotted;
    // A slow resolver answers on its own thread, so the window keeps painting.
    auto lookup = std::async(std::launch::async, [text] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(text.constData(), nullptr, &hints, &found) != 0 || !found)
            return in_addr_t(INADDR_NONE);
        const in_addr_t address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
        ::freeaddrinfo(found);
        return address;
    });
    const auto ready = [&] { return lookup.wait_for(std::chrono::seconds(0)) == std::future_status::ready; };
    EventSlice::waitUntil(ready, kUnlimitedMsecs,
                          [&](int msecs) { lookup.wait_for(std::chrono::milliseconds(msecs)); });
    return lookup.get();
}

QString SocketLayer::AddressToText(in_addr_t address)
{
    char text[INET_ADDRSTRLEN] = {};
    const in_addr value{address};
    if (!::inet_ntop(AF_INET, &value, text, sizeof text))
        return kUnresolved;
    return QString::fromLatin1(text).left(32);
}

int SocketLayer::CreateSocket()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        m_lastError = errno;
        return -1;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = 0;
    local.sin_addr.s_addr = INADDR_ANY;
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        m_lastError = errno;
        return -1;
    }
    return 0;
}

int SocketLayer::ConnectSocket(const QString& hostAddress, quint16 port, int timeoutMsecs)
{
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(port);
    remote.sin_addr.s_addr = ::inet_addr(hostAddress.toLatin1().constData());
    // Text that only starts like an address ("10.0.0.x") must not turn into
    // a connect to the broadcast address.
    if (remote.sin_addr.s_addr == INADDR_NONE) {
        m_lastError = EADDRNOTAVAIL;
        return -1;
    }
    const int flags = ::fcntl(m_socket, F_GETFL);
    if (flags < 0 || ::fcntl(m_socket, F_SETFL, flags | O_NONBLOCK) != 0) {
        m_lastError = errno;
        return -1;
    }
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) == 0)
        return m_socket;
    if (errno != EINPROGRESS) {
        m_lastError = errno;
        return -1;
    }
    const int ready = EventSlice::waitForDescriptor(m_socket, POLLOUT, timeoutMsecs);
    if (ready <= 0) {
        m_lastError = ready == 0 ? ETIMEDOUT : errno;
        return -1;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        m_lastError = error ? error : errno;
        return -1;
    }
    return m_socket;
}

QByteArray SocketLayer::ReceiveData(int socket, int timeoutSeconds)
{
    const int ready = EventSlice::waitForDescriptor(socket, POLLIN, timeoutSeconds * 1000);
    if (ready <= 0)
        return {};
    QByteArray buffer(kReceiveBufferSize, Qt::Uninitialized);
    const ssize_t received = ::recv(socket, buffer.data(), size_t(buffer.size()), 0);
    if (received < 0) {
        m_lastError = errno;
        return {};
    }
    buffer.truncate(received);
    return buffer;
}

void SocketLayer::CloseSocket(int socket)
{
    ::close(socket);
    if (socket == m_socket)
        m_socket = -1;
}
