// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timequestion.h"

#include "base/clock.h"
#include "timeclient/servercycle.h"
#include "timeclient/timeclientlog.h"

#include <algorithm>
#include <limits>

namespace TimeQuestion {

namespace {
// What is left of `stepMsecs` once the whole question may last only until
// `deadline`; the steps read the clock themselves, so that a question reads
// it as often as its answer needs (tests count the readings).
int within(int stepMsecs, std::optional<qint64> deadline, qint64 now)
{
    return deadline ? int(std::min<qint64>(stepMsecs, *deadline - now)) : stepMsecs;
}
} // namespace

Reply put(const QString& entry, const Limits& limits)
{
    const Clock& clock = Clock::instance();
    // The look-up counts against the whole limit, though a resolver that hangs is waited for.
    std::optional<qint64> deadline;
    if (limits.wholeMsecs > 0)
        deadline = clock.monotonicMsecs() + limits.wholeMsecs;
    const ServerCycle::Entry server = ServerCycle::split(entry);
    const std::vector<SocketLayer::Address> addresses =
        SocketLayer::ResolveHost(server.name, server.port.value_or(TimeProtocol::kTimePort));
    if (addresses.empty())
        qCInfo(lcTimeClient) << "Cannot resolve" << server.name;
    SocketLayer sockets;
    if (!sockets.StartSockets())
        return {};
    for (const SocketLayer::Address& address : addresses) {
        if (sockets.CreateSocket(address) != 0)
            continue;
        const qint64 asked = clock.monotonicMsecs();
        const int connectMsecs = within(limits.connectMsecs, deadline, asked);
        const int socket = connectMsecs > 0 ? sockets.ConnectSocket(address, connectMsecs) : -1;
        const qint64 connected = clock.monotonicMsecs();
        if (socket == -1) {
            qCInfo(lcTimeClient) << "Cannot connect to" << entry << "at" << SocketLayer::AddressToText(address)
                                 << "error" << sockets.lastError();
            continue;
        }
        const QByteArray received =
            sockets.ReceiveData(socket, TimeProtocol::kAnswerLength, within(limits.answerMsecs, deadline, connected));
        const Reply reply{received, TimeReceipt::measure(received, asked, connected)};
        sockets.CloseSocket(socket);
        if (received.size() != TimeProtocol::kAnswerLength)
            qCInfo(lcTimeClient) << entry << "answered" << received.size() << "bytes instead of 4";
        return reply;
    }
    return {};
}

std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs)
{
    const Reply reply = put(entry, {limitMsecs, limitMsecs, limitMsecs});
    if (reply.received.size() != TimeProtocol::kAnswerLength)
        return std::nullopt;
    return reply.receipt;
}

} // namespace TimeQuestion
