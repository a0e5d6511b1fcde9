// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timeclient/socketlayer.h"
#include "timeclient/timeprotocol.h"
#include "timeclient/timereceipt.h"

#include <QByteArray>
#include <QString>

#include <optional>

// One question to one time server: the component's cycle asks each server
// with it in turn, and the refinement asks the others within a time limit.
namespace TimeQuestion {

// How long the steps of a question may take.
struct Limits
{
    // The connect to each of the server's addresses.
    int connectMsecs = SocketLayer::kConnectTimeoutMsecs;
    // From the connection to the answer's last byte.
    int answerMsecs = TimeProtocol::kAnswerLimitMsecs;
    // From the question's start, the look-up included, to the answer's last
    // byte; 0 for no such limit.
    int wholeMsecs = 0;
};

// What one question brought back, timed.
struct Reply
{
    // Empty also when no address took the connection.
    QByteArray received;
    TimeReceipt receipt;
};

// Asks `entry` ("host" or "host:port") once: connects to its addresses in
// turn until one takes the connection, then reads until four bytes have
// come, the server closes or the limits pass. A server that answers wrongly
// is not asked again at another address. The connection is closed on return.
Reply put(const QString& entry, const Limits& limits = {});

// The refinement's question: nothing unless exactly four bytes came within
// `limitMsecs` of the question's start.
std::optional<TimeReceipt> ask(const QString& entry, int limitMsecs);

} // namespace TimeQuestion
