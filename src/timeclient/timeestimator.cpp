// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timeestimator.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/eventslice.h"
#include "base/generaldate.h"
#include "base/localizedtext.h"
#include "timeclient/timeclientlog.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <thread>

namespace {
constexpr qint64 kUsecPerMsec = 1000;
// Room between choosing the moment of a question and asking it.
constexpr qint64 kAskingMarginUsec = 5000;
// An estimate wider than this is narrowed only by answers that a second
// server repeats.
constexpr qint64 kCheckedWidthUsec = 500'000;
// Time for an answer beyond its round trip.
constexpr qint64 kAnswerRoomMsecs = 50;
// How near a repeated question's answer must land to the moment it repeats.
constexpr qint64 kLandingUsec = 10'000;
// How far the PC's UTC clock may drift from the monotonic one during an
// update before the answers no longer share one time line.
constexpr qint64 kClockSlipUsec = 50'000;

// Sources marked where they are written, so the translator sees them.
LocalizedText text(const char* source)
{
    return LocalizedText::translate("TimeEstimator", source);
}

LocalizedText refusal(const LocalizedText& reason)
{
    return LocalizedText::translate("TimeEstimator", "%1 The clock was not changed.", "%1: why").arg(reason);
}

qint64 monotonicNow()
{
    return Clock::instance().monotonicMsecs();
}

qint64 ceilingDivision(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return quotient + (value % divisor > 0 ? 1 : 0);
}

// The cycle from `first` on; with four servers the first round pairs each
// server with the one two places on, so that neighbours in the list never
// vouch for each other, and the second round starts with the first one's pair.
std::pair<QStringList, QStringList> askingOrder(const QStringList& cycle, const QString& first)
{
    QStringList servers{first};
    const qsizetype start = cycle.indexOf(first);
    for (qsizetype i = 1; i <= cycle.size(); ++i) {
        const QString& entry = cycle.at((std::max<qsizetype>(start, 0) + i) % cycle.size());
        if (!servers.contains(entry))
            servers << entry;
    }
    if (servers.size() == 4)
        servers = {servers[0], servers[2], servers[1], servers[3]};
    const QStringList firstRound = servers.mid(1);
    return {firstRound, firstRound + QStringList{first}};
}
} // namespace

TimeEstimator::TimeEstimator(const QStringList& cycle, QDate buildDay, Asker ask, Waiter wait)
    : m_cycle(cycle)
    , m_buildDay(buildDay)
    , m_ask(std::move(ask))
    , m_wait(std::move(wait))
{
}

void TimeEstimator::sleepUntil(qint64 monotonicMsecs)
{
    // Sleeps in short slices, so that the moment is met to the millisecond
    // rather than to the event loop's slice.
    const qint64 left = std::clamp<qint64>(monotonicMsecs - monotonicNow(), 0, kUpdateMsecs);
    EventSlice::waitUntil([] { return false; }, int(left),
                          [](int msecs) { std::this_thread::sleep_for(std::chrono::milliseconds(msecs)); });
}

UpdateEstimate TimeEstimator::estimate(const TimeReceipt& first, const QString& firstEntry,
                                       const QStringList& alreadyAsked)
{
    m_anchorUtcUsec = first.receiptUtcMsecs * kUsecPerMsec;
    m_anchorMonotonicMsecs = first.receiptMonotonicMsecs;
    // Counted from the first question, or from its answer when that came too late to use.
    const bool firstInTime = first.receiptMonotonicMsecs - first.askedMonotonicMsecs <= kQuestionMsecs;
    m_deadlineMsecs = (firstInTime ? first.askedMonotonicMsecs : first.receiptMonotonicMsecs) + kUpdateMsecs;
    const auto seconds = ClockAdjustment::receivedUnixSeconds(first.count, m_buildDay);
    if (!seconds) {
        const qint64 meant = ClockAdjustment::nearestReading(first.count, m_buildDay);
        UpdateEstimate refused;
        refused.refusal = refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time server sent %1 UTC, which cannot be right."))
                                      .arg(GeneralDate::format(DateSerial::fromDateTime(
                                          QDateTime::fromSecsSinceEpoch(meant, QTimeZone::utc())))));
        return refused;
    }
    for (const QString& entry : alreadyAsked + QStringList{firstEntry}) {
        m_questions[entry] = 1;
        m_firstQuestionMsecs[entry] = first.askedMonotonicMsecs;
    }
    take(firstEntry, first);
    if (m_cycle.size() > 1) {
        const auto [firstRound, secondRound] = askingOrder(m_cycle, firstEntry);
        askInTurn(firstRound, 0);
        askInTurn(secondRound, 1);
    }
    UpdateEstimate result = decide(first, firstEntry);
    result.eraShiftSeconds = *seconds - (qint64(first.count) - TimeProtocol::kEpochDifference);
    return result;
}

void TimeEstimator::take(const QString& entry, const TimeReceipt& receipt)
{
    // An answer that came after the limit (a slow path, a stopped process,
    // a suspended PC) says nothing about when the server sent.
    const qint64 roundTrip = receipt.receiptMonotonicMsecs - receipt.askedMonotonicMsecs;
    if (roundTrip < 0 || roundTrip > kQuestionMsecs) {
        qCWarning(lcTimeClient) << entry << "answered after" << roundTrip << "ms; the answer is not used";
        return;
    }
    // A count outside every era's window is read in the era nearest it: far
    // from any honest answer, so it is out of the vote.
    const qint64 seconds = ClockAdjustment::receivedUnixSeconds(receipt.count, m_buildDay)
                               .value_or(ClockAdjustment::nearestReading(receipt.count, m_buildDay));
    // The server sent after the connection stood and before the answer
    // arrived, which the limit keeps within a second; on a symmetric path
    // half way, where the answer is placed. A path lopsided by more than the
    // others' agreement makes its server look off from them.
    const qint64 asked = pcUsecAt(receipt.askedMonotonicMsecs);
    const qint64 connected = pcUsecAt(receipt.connectedMonotonicMsecs);
    const qint64 halfWay = connected + (pcUsecAt(receipt.receiptMonotonicMsecs) - connected) / 2;
    const OffsetInterval answer = OffsetInterval::ofAnswer(seconds * OffsetInterval::kSecondUsec, halfWay, halfWay);
    const auto before = m_vote.span();
    m_vote.add(entry, answer);
    m_sendDelays[entry] = halfWay - asked;
    ++m_answers;
    // No lone answer may narrow the estimate while it is wider than half a
    // second: the next server is asked at the same moment of the second,
    // until one answer lands there (one whose path took longer than
    // expected lands elsewhere).
    if (m_check && landsOn(answer.lowUsec, *m_check))
        m_check.reset();
    else if (!m_check && (!before || before->widthUsec() > kCheckedWidthUsec))
        m_check = answer.lowUsec;
}

void TimeEstimator::askInTurn(const QStringList& order, int questionsBefore)
{
    for (const QString& entry : order) {
        const int asked = m_questions.value(entry);
        if (asked != questionsBefore)
            continue;
        const qint64 earliest = asked == 0
            ? monotonicNow()
            : std::max(monotonicNow(), m_firstQuestionMsecs.value(entry) + kSameServerMsecs);
        if (const auto receipt = askAt(entry, earliest))
            take(entry, *receipt);
    }
}

std::optional<TimeReceipt> TimeEstimator::askAt(const QString& entry, qint64 earliestMonotonicMsecs)
{
    const qint64 moment = questionMoment(entry, earliestMonotonicMsecs);
    // The last question may have less than a second, but time for its answer.
    const qint64 limit = std::min<qint64>(kQuestionMsecs, m_deadlineMsecs - moment);
    if (limit < 2 * sendDelay(entry) / kUsecPerMsec + kAnswerRoomMsecs) {
        qCInfo(lcTimeClient) << "No time left in this update to ask" << entry;
        return std::nullopt;
    }
    m_wait(moment);
    if (++m_questions[entry] == 1)
        m_firstQuestionMsecs[entry] = monotonicNow();
    const auto receipt = m_ask(entry, int(limit));
    if (!receipt)
        qCInfo(lcTimeClient) << entry << "is left out of this update";
    return receipt;
}

qint64 TimeEstimator::questionMoment(const QString& entry, qint64 earliestMonotonicMsecs) const
{
    const auto span = m_vote.span();
    if (m_sendDelays.isEmpty() || !span)
        return earliestMonotonicMsecs;
    // A pending check repeats its moment; otherwise the answer halves what
    // the most servers hold.
    const qint64 edge = m_check.value_or(span->middleUsec());
    // The server's clock reads the PC's plus the offset: asked at this
    // moment it sends as its clock turns a second, were the offset `edge`.
    const qint64 delay = sendDelay(entry);
    const qint64 earliestSending = pcUsecAt(earliestMonotonicMsecs) + kAskingMarginUsec + delay;
    const qint64 turn =
        ceilingDivision(earliestSending + edge, OffsetInterval::kSecondUsec) * OffsetInterval::kSecondUsec - edge;
    return m_anchorMonotonicMsecs + ceilingDivision(turn - delay - m_anchorUtcUsec, kUsecPerMsec);
}

qint64 TimeEstimator::sendDelay(const QString& entry) const
{
    // A server not asked yet is expected to be as quick as the quickest:
    // one slow server must not throw the timing of the others.
    if (m_sendDelays.isEmpty())
        return 0;
    return m_sendDelays.contains(entry) ? m_sendDelays.value(entry)
                                        : *std::min_element(m_sendDelays.cbegin(), m_sendDelays.cend());
}

bool TimeEstimator::landsOn(qint64 edgeUsec, qint64 targetUsec)
{
    const qint64 apart = ((edgeUsec - targetUsec) % OffsetInterval::kSecondUsec + OffsetInterval::kSecondUsec)
        % OffsetInterval::kSecondUsec;
    return std::min(apart, OffsetInterval::kSecondUsec - apart) <= kLandingUsec;
}

UpdateEstimate TimeEstimator::decide(const TimeReceipt& first, const QString& firstEntry)
{
    UpdateEstimate result;
    const OffsetVote::Verdict verdict = m_vote.verdict();
    result.refusal = verdictRefusal(verdict);
    if (!result.refusal.isEmpty())
        return result;
    aimWithin(result, verdict);
    if (std::abs(*result.adjustmentUsec) > kLargeStepUsec) {
        result.refusal = largeStepRefusal(verdict, first, firstEntry);
        if (!result.refusal.isEmpty()) {
            result.adjustmentUsec.reset();
            return result;
        }
        aimWithin(result, m_vote.verdict());
    }
    for (const QString& entry : verdict.outside)
        result.notes << text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: %1 is off from the others and was left out.")).arg(entry);
    return result;
}

LocalizedText TimeEstimator::verdictRefusal(const OffsetVote::Verdict& verdict) const
{
    if (m_answers > 1 && clockMoved())
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The PC's clock moved while the time servers were asked "
                            "(the PC slept, or its time was changed).")));
    if (m_vote.servers() == 0)
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: No time server answered within a second.")));
    if (!verdict.range) {
        const OffsetVote::Support support = m_vote.support();
        qCWarning(lcTimeClient) << "At most" << support.servers << "of" << m_vote.servers() << "servers agree, in"
                                << support.stretches.size() << "places";
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time servers disagree.")));
    }
    if (!verdict.contested.isEmpty())
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time servers disagree: %1 is off from the others, but %2 agrees with it."))
                           .arg(verdict.contested).arg(verdict.contestedBy));
    return {};
}

LocalizedText TimeEstimator::largeStepRefusal(const OffsetVote::Verdict& verdict, const TimeReceipt& first,
                                        const QString& firstEntry)
{
    if (m_cycle.size() > 1 && verdict.holders < 2)
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: Only one time server answered, and it would move the clock by more than a "
                            "day; that takes two servers that agree.")));
    if (m_cycle.size() <= 1 && !confirmLargeStep(first, firstEntry))
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time server would move the clock by more than a day, and asked again 4 "
                            "seconds later its time had not moved on by 4 seconds.")));
    return {};
}

void TimeEstimator::aimWithin(UpdateEstimate& result, const OffsetVote::Verdict& verdict) const
{
    const OffsetInterval aim = *verdict.range;
    result.adjustmentUsec = aim.middleUsec();
    result.uncertaintyUsec = aim.widthUsec() / 2;
    qCInfo(lcTimeClient) << "Offset from" << m_answers << "answers of" << verdict.holders << "servers:"
                         << *result.adjustmentUsec << "us, give or take" << result.uncertaintyUsec << "us";
}

bool TimeEstimator::confirmLargeStep(const TimeReceipt& first, const QString& firstEntry)
{
    // Asked once the answer is 4 seconds old, a running server has moved on
    // by 4 seconds at least, and by 5 at most unless the path takes a second.
    m_wait(first.receiptMonotonicMsecs + kSameServerMsecs);
    const auto again = m_ask(firstEntry, kQuestionMsecs);
    const quint32 movedOn = again ? again->count - first.count : 0;
    if (movedOn != 4 && movedOn != 5) {
        qCWarning(lcTimeClient) << firstEntry << "moved on by" << movedOn << "seconds in 4 (answered:" << bool(again)
                                << ")";
        return false;
    }
    take(firstEntry, *again);
    return m_vote.verdict().range.has_value();
}

bool TimeEstimator::clockMoved() const
{
    const qint64 utc = Clock::instance().currentDateTimeUtc().toMSecsSinceEpoch() * kUsecPerMsec;
    return std::abs(utc - pcUsecAt(monotonicNow())) > kClockSlipUsec;
}

qint64 TimeEstimator::pcUsecAt(qint64 monotonicMsecs) const
{
    return m_anchorUtcUsec + (monotonicMsecs - m_anchorMonotonicMsecs) * kUsecPerMsec;
}
