#include "timeclient/timequestion.h"

#include "base/clock.h"
#include "base/eventslice.h"
#include "timeclient/servercycle.h"
#include "timeclient/socketlayer.h"
#include "timeclient/timeclientlog.h"
#include "timeclient/timeprotocol.h"

#include <poll.h>

namespace TimeQuestion {

std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs)
{
    const ServerCycle::Entry server = ServerCycle::split(entry);
    const QString address = SocketLayer::ResolveHost(server.name);
    SocketLayer sockets;
    if (address == SocketLayer::kUnresolved || !sockets.StartSockets() || sockets.CreateSocket() != 0) {
        qCInfo(lcTimeClient) << "Cannot ask" << entry;
        return std::nullopt;
    }
    const qint64 asked = Clock::instance().monotonicMsecs();
    const int socket = sockets.ConnectSocket(address, server.port.value_or(kTimePort), limitMsecs);
    const qint64 connected = Clock::instance().monotonicMsecs();
    const qint64 left = limitMsecs - (connected - asked);
    // Ready to read within the limit, or given up: the read itself then
    // returns what has come.
    if (socket == -1 || left <= 0 || EventSlice::waitForDescriptor(socket, POLLIN, int(left)) <= 0) {
        qCInfo(lcTimeClient) << entry << "gave no answer within" << limitMsecs << "ms";
        return std::nullopt;
    }
    const QByteArray received = sockets.ReceiveData(socket, 1);
    const TimeReceipt receipt = TimeReceipt::measure(received, asked, connected);
    sockets.CloseSocket(socket);
    if (received.size() != TimeProtocol::kAnswerLength) {
        qCInfo(lcTimeClient) << entry << "answered" << received.size() << "bytes instead of 4";
        return std::nullopt;
    }
    return receipt;
}

} // namespace TimeQuestion
