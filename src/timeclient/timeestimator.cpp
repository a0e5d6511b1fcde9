// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timeestimator.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/eventslice.h"
#include "base/generaldate.h"
#include "timeclient/timeclientlog.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <thread>

namespace {
constexpr qint64 kUsecPerMsec = 1000;
// Seconds from the protocol's epoch (1900) to the Unix epoch (1970).
constexpr qint64 kEpochDifference = 2'208'988'800;
// Room between choosing the moment of a question and asking it.
constexpr qint64 kAskingMarginUsec = 5000;
const QString kNotChanged = QStringLiteral(" The clock was not changed.");

qint64 monotonicNow()
{
    return Clock::instance().monotonicMsecs();
}

// Sleeps in short slices, so that the moment is met to the millisecond
// rather than to the event loop's slice.
void waitUntilMonotonic(qint64 moment)
{
    const qint64 left = std::clamp<qint64>(moment - monotonicNow(), 0, TimeEstimator::kConfirmationMsecs);
    EventSlice::waitUntil([] { return false; }, int(left),
                          [](int msecs) { std::this_thread::sleep_for(std::chrono::milliseconds(msecs)); });
}

qint64 ceilingDivision(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return quotient + (value % divisor > 0 ? 1 : 0);
}
} // namespace

TimeEstimator::TimeEstimator(const QStringList& cycle, QDate buildDay, Asker ask)
    : m_cycle(cycle)
    , m_buildDay(buildDay)
    , m_ask(std::move(ask))
{
}

UpdateEstimate TimeEstimator::estimate(const TimeReceipt& first, const QString& firstEntry,
                                       const QStringList& alreadyAsked)
{
    UpdateEstimate result;
    m_answers.clear();
    m_anchorUtcUsec = first.receiptUtcMsecs * kUsecPerMsec;
    m_anchorMonotonicMsecs = first.receiptMonotonicMsecs;
    const auto seconds = ClockAdjustment::receivedUnixSeconds(first.count, m_buildDay);
    if (!seconds) {
        const QDateTime sent = QDateTime::fromMSecsSinceEpoch(first.serverUtcMsecs, QTimeZone::utc());
        result.refusal = first.count == 0
            ? QStringLiteral("Status: The time server sent 0, which is never a time.") + kNotChanged
            : QStringLiteral("Status: The time server sent %1 UTC, which cannot be right.")
                      .arg(GeneralDate::format(DateSerial::fromDateTime(sent)))
                + kNotChanged;
        return result;
    }
    result.eraShiftSeconds = *seconds - (qint64(first.count) - kEpochDifference);
    add(firstEntry, first);
    refine(first, alreadyAsked + QStringList{firstEntry});
    if (const QString disagreed = disagreement(); !disagreed.isEmpty()) {
        result.refusal = disagreed;
        return result;
    }
    if (m_cycle.size() == 1 && std::abs(aimedIntersection().middleUsec()) > kLargeStepUsec
        && !confirmLargeStep(first, firstEntry)) {
        result.refusal = QStringLiteral("Status: The time server would move the clock by more than a day, and "
                                        "asked again 4 seconds later its time had not moved on by 4 seconds.")
            + kNotChanged;
        return result;
    }
    result.adjustmentUsec = aimedIntersection().middleUsec();
    result.uncertaintyUsec = (aimedIntersection().highUsec - aimedIntersection().lowUsec) / 2;
    qCInfo(lcTimeClient) << "Offset from" << m_answers.size() << "answers:" << *result.adjustmentUsec << "us, within"
                         << aimedIntersection().highUsec - aimedIntersection().lowUsec << "us";
    return result;
}

void TimeEstimator::add(const QString& entry, const TimeReceipt& receipt)
{
    // A count outside every era's window stays where 1900 puts it: far from
    // any honest answer, so it disagrees.
    const qint64 seconds = ClockAdjustment::receivedUnixSeconds(receipt.count, m_buildDay)
                               .value_or(qint64(receipt.count) - kEpochDifference);
    const qint64 secondUsec = seconds * OffsetInterval::kSecondUsec;
    // The server sent after the connection stood and before the answer
    // arrived. On a symmetric path it sent half way; a path that takes d1 out
    // and d2 back moves the true moment by (d1 - d2) / 2 from there, and the
    // aimed interval with it: the one error that no number of answers
    // removes. The bound interval holds whatever the asymmetry (with a
    // millisecond's room for the clock's resolution).
    const qint64 connected = pcUsecAt(receipt.connectedMonotonicMsecs);
    const qint64 arrived = pcUsecAt(receipt.receiptMonotonicMsecs);
    const qint64 halfWay = connected + (arrived - connected) / 2;
    m_answers.append({entry, OffsetInterval::ofAnswer(secondUsec, halfWay, halfWay),
                      OffsetInterval::ofAnswer(secondUsec, connected - kUsecPerMsec, arrived + kUsecPerMsec)});
}

void TimeEstimator::refine(const TimeReceipt& first, QStringList asked)
{
    // The first answer tells how long a question takes: to the server's
    // sending (connection, then half the wait for the answer) and in all.
    const qint64 sendDelayUsec = (first.connectedMonotonicMsecs - first.askedMonotonicMsecs) * kUsecPerMsec
        + (first.receiptMonotonicMsecs - first.connectedMonotonicMsecs) * kUsecPerMsec / 2;
    const qint64 questionMsecs = first.receiptMonotonicMsecs - first.askedMonotonicMsecs;
    const qint64 deadline = monotonicNow() + kRefinementMsecs;
    for (const QString& entry : m_cycle) {
        if (asked.contains(entry))
            continue;
        asked.append(entry);
        const qint64 moment = askingMoment(monotonicNow(), sendDelayUsec);
        const qint64 limit = std::min<qint64>(kQuestionMsecs, deadline - moment);
        // Too little time left for an answer: the rest stay unasked.
        if (limit <= questionMsecs + kAskingMarginUsec / kUsecPerMsec)
            break;
        waitUntilMonotonic(moment);
        if (const auto receipt = m_ask(entry, int(limit)))
            add(entry, *receipt);
        else
            qCInfo(lcTimeClient) << entry << "is left out of this update";
    }
}

bool TimeEstimator::confirmLargeStep(const TimeReceipt& first, const QString& firstEntry)
{
    // Asked once the answer is 4 seconds old, a running server has moved on
    // by 4 seconds at least, and by 5 at most unless the path takes a second.
    waitUntilMonotonic(first.receiptMonotonicMsecs + kConfirmationMsecs);
    const auto again = m_ask(firstEntry, kQuestionMsecs);
    const quint32 movedOn = again ? again->count - first.count : 0;
    if (movedOn != 4 && movedOn != 5) {
        qCWarning(lcTimeClient) << firstEntry << "moved on by" << movedOn << "seconds in 4 (answered:" << bool(again)
                                << ")";
        return false;
    }
    add(firstEntry, *again);
    return disagreement().isEmpty();
}

qint64 TimeEstimator::askingMoment(qint64 earliestMonotonicMsecs, qint64 sendDelayUsec) const
{
    // The server's clock reads the PC's plus the offset; were the offset the
    // middle of the estimate, the server would send as its clock turns a
    // second, and whichever second comes back halves the estimate.
    const qint64 offset = aimedIntersection().middleUsec();
    const qint64 earliestSending = pcUsecAt(earliestMonotonicMsecs) + kAskingMarginUsec + sendDelayUsec;
    const qint64 turn = ceilingDivision(earliestSending + offset, OffsetInterval::kSecondUsec)
            * OffsetInterval::kSecondUsec
        - offset;
    return m_anchorMonotonicMsecs + (turn - sendDelayUsec - m_anchorUtcUsec) / kUsecPerMsec;
}

OffsetInterval TimeEstimator::aimedIntersection() const
{
    QList<OffsetInterval> aimed;
    for (const Answer& answer : m_answers)
        aimed.append(answer.aimed);
    return OffsetInterval::intersection(aimed);
}

QString TimeEstimator::disagreement() const
{
    QList<OffsetInterval> bounds;
    for (const Answer& answer : m_answers)
        bounds.append(answer.bound);
    if (!OffsetInterval::intersection(bounds).isEmpty())
        return {};
    for (const Answer& answer : m_answers)
        qCWarning(lcTimeClient) << answer.entry << "puts the offset in [" << answer.bound.lowUsec << ","
                                << answer.bound.highUsec << ") us";
    if (const auto odd = OffsetInterval::oddOneOut(bounds))
        return QStringLiteral("Status: The time servers disagree: %1 is off from the others.")
                   .arg(m_answers.at(*odd).entry)
            + kNotChanged;
    return QStringLiteral("Status: The time servers disagree.") + kNotChanged;
}

qint64 TimeEstimator::pcUsecAt(qint64 monotonicMsecs) const
{
    return m_anchorUtcUsec + (monotonicMsecs - m_anchorMonotonicMsecs) * kUsecPerMsec;
}
