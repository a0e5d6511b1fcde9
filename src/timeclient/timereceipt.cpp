// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timereceipt.h"

#include "base/clock.h"
#include "timeclient/timeprotocol.h"

#include <QtEndian>

TimeReceipt TimeReceipt::measure(const QByteArray& received, qint64 askedMonotonicMsecs,
                                 qint64 connectedMonotonicMsecs)
{
    TimeReceipt receipt;
    receipt.receiptMonotonicMsecs = Clock::instance().monotonicMsecs();
    receipt.receiptUtcMsecs = Clock::instance().currentDateTimeUtc().toMSecsSinceEpoch();
    receipt.askedMonotonicMsecs = askedMonotonicMsecs;
    receipt.connectedMonotonicMsecs = connectedMonotonicMsecs;
    receipt.lagSeconds = TimeProtocol::lagSeconds(receipt.receiptMonotonicMsecs - askedMonotonicMsecs);
    if (received.size() == TimeProtocol::kAnswerLength)
        receipt.count = qFromBigEndian<quint32>(received.constData());
    receipt.serverUtcMsecs = (qint64(receipt.count) - TimeProtocol::kEpochDifference) * 1000;
    return receipt;
}
