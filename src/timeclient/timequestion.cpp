// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // The look-up counts against the limit too, though a resolver that hangs
    // is waited for.
    const qint64 started = Clock::instance().monotonicMsecs();
    const ServerCycle::Entry server = ServerCycle::split(entry);
    const std::vector<SocketLayer::Address> addresses =
        SocketLayer::ResolveHost(server.name, server.port.value_or(TimeProtocol::kTimePort));
    SocketLayer sockets;
    const qint64 asked = Clock::instance().monotonicMsecs();
    // One question, to the first address: the limit leaves no room for more.
    if (addresses.empty() || asked - started >= limitMsecs || !sockets.StartSockets()
        || sockets.CreateSocket(addresses.front()) != 0) {
        qCInfo(lcTimeClient) << "Cannot ask" << entry;
        return std::nullopt;
    }
    const int socket = sockets.ConnectSocket(addresses.front(), int(limitMsecs - (asked - started)));
    const qint64 connected = Clock::instance().monotonicMsecs();
    const qint64 left = limitMsecs - (connected - started);
    // Ready to read within the limit, or given up: the read itself then
    // returns what has come.
    if (socket == -1 || left <= 0 || EventSlice::waitForDescriptor(socket, POLLIN, int(left)) <= 0) {
        qCInfo(lcTimeClient) << entry << "gave no answer within" << limitMsecs << "ms";
        return std::nullopt;
    }
    const QByteArray received = sockets.ReceiveData(socket, TimeProtocol::kAnswerLength, TimeProtocol::kAnswerLimitMsecs / 1000);
    const TimeReceipt receipt = TimeReceipt::measure(received, asked, connected);
    sockets.CloseSocket(socket);
    if (received.size() != TimeProtocol::kAnswerLength) {
        qCInfo(lcTimeClient) << entry << "answered" << received.size() << "bytes instead of 4";
        return std::nullopt;
    }
    return receipt;
}

} // namespace TimeQuestion
