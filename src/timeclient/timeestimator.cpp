// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/timeestimator.h"

#include "base/clock.h"
#include "base/dateserial.h"
#include "base/eventslice.h"
#include "base/generaldate.h"
#include "base/localizedtext.h"
#include "base/textformat.h"
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
// How many of the last questions the planner chooses.
constexpr qsizetype kPlannedQuestions = 3;
// Time for an answer beyond its round trip.
constexpr qint64 kAnswerRoomMsecs = 50;
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

// The servers to ask, in turn: the cycle from `first` on, each once and
// then once more; with four servers every other one first, so that two
// neighbours in the list (which may share a provider) are not asked one
// after the other. Servers already asked once are asked once more only.
QStringList askingPlan(const QStringList& cycle, const QString& first, const QHash<QString, int>& asked)
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
    QStringList plan;
    for (const QString& entry : servers.mid(1)) {
        if (asked.value(entry) == 0)
            plan << entry;
    }
    return plan + servers.mid(1) + QStringList{first};
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
    if (m_cycle.size() > 1)
        askInTurn(askingPlan(m_cycle, firstEntry, m_questions));
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
    qCInfo(lcTimeClient) << entry << "puts the offset at" << answer.lowUsec << "to" << answer.highUsec << "us";
    m_vote.add(entry, answer);
    m_sendDelays[entry] = halfWay - asked;
    ++m_answers;
}

void TimeEstimator::askInTurn(const QStringList& plan)
{
    for (qsizetype i = 0; i < plan.size(); ++i) {
        if (const auto receipt = askAt(plan.at(i), nextEdge(plan.mid(i))))
            take(plan.at(i), *receipt);
    }
}

qint64 TimeEstimator::nextEdge(const QStringList& rest)
{
    const auto span = m_vote.span();
    if (!span)
        return 0;
    // A server that did not answer in time once is not counted on again.
    QStringList answering;
    for (const QString& entry : rest.mid(0, questionsInTime(rest, 0))) {
        if (m_questions.value(entry) == 0 || m_sendDelays.contains(entry))
            answering << entry;
    }
    if (answering.size() > kPlannedQuestions || answering.value(0) != rest.first())
        return span->middleUsec();
    if (!m_planner) {
        // Honest servers keep halving: one halving for each question beyond
        // the two that repeat the edges.
        const int halvings = int(std::max<qsizetype>(answering.size() - 2, 0));
        m_planner.emplace(kLimitUsec, span->widthUsec() >> halvings);
    }
    // Should every question wait a whole second for its moment, the last may be lost.
    const qsizetype surely = questionsInTime(answering, OffsetInterval::kSecondUsec / kUsecPerMsec);
    const bool lastMayBeLost = surely < answering.size();
    return m_planner->nextEdge(m_vote, answering, lastMayBeLost);
}

qsizetype TimeEstimator::questionsInTime(const QStringList& rest, qint64 waitMsecs) const
{
    // The first is asked at the earliest; each later one waits `waitMsecs` for its moment.
    qint64 now = monotonicNow();
    QHash<QString, qint64> firstQuestions = m_firstQuestionMsecs;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        const QString& entry = rest.at(i);
        const qint64 earliest = firstQuestions.contains(entry)
            ? std::max(now, firstQuestions.value(entry) + kSameServerMsecs)
            : now;
        const qint64 moment = earliest + (i == 0 ? 0 : waitMsecs);
        const qint64 roundTrip = 2 * sendDelay(entry) / kUsecPerMsec;
        if (m_deadlineMsecs - moment < roundTrip + kAnswerRoomMsecs)
            return i;
        firstQuestions.insert(entry, firstQuestions.value(entry, moment));
        now = moment + roundTrip;
    }
    return rest.size();
}

std::optional<TimeReceipt> TimeEstimator::askAt(const QString& entry, qint64 edgeUsec)
{
    // The first question of a server waits for nothing but its moment; the
    // second, for 4 s after the first.
    const qint64 earliest = m_questions.value(entry) == 0
        ? monotonicNow()
        : std::max(monotonicNow(), m_firstQuestionMsecs.value(entry) + kSameServerMsecs);
    const qint64 moment = questionMoment(entry, earliest, edgeUsec);
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

qint64 TimeEstimator::questionMoment(const QString& entry, qint64 earliestMonotonicMsecs, qint64 edgeUsec) const
{
    if (m_sendDelays.isEmpty())
        return earliestMonotonicMsecs;
    // The server's clock reads the PC's plus the offset: asked at this
    // moment it sends as its clock turns a second, were the offset `edgeUsec`.
    const qint64 delay = sendDelay(entry);
    const qint64 earliestSending = pcUsecAt(earliestMonotonicMsecs) + kAskingMarginUsec + delay;
    const qint64 turn = ceilingDivision(earliestSending + edgeUsec, OffsetInterval::kSecondUsec)
            * OffsetInterval::kSecondUsec
        - edgeUsec;
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

UpdateEstimate TimeEstimator::decide(const TimeReceipt& first, const QString& firstEntry)
{
    UpdateEstimate result;
    const OffsetVote::Verdict verdict = m_vote.verdict(kLimitUsec);
    result.refusal = verdictRefusal(verdict);
    if (!result.refusal.isEmpty())
        return result;
    aimAt(result, verdict);
    if (std::abs(*result.adjustmentUsec) > kLargeStepUsec) {
        result.refusal = largeStepRefusal(verdict, first, firstEntry);
        if (!result.refusal.isEmpty()) {
            result.adjustmentUsec.reset();
            return result;
        }
        aimAt(result, m_vote.verdict(kLimitUsec));
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
    switch (verdict.outcome) {
    case OffsetVote::Outcome::Set:
        return {};
    case OffsetVote::Outcome::Disagree: {
        const OffsetVote::Support support = m_vote.support();
        qCWarning(lcTimeClient) << "At most" << support.servers << "of" << m_vote.servers() << "servers agree, in"
                                << support.stretches.size() << "places";
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time servers disagree.")));
    }
    case OffsetVote::Outcome::Contested:
        return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: The time servers disagree: %1 is off from the "
                                                               "others, but %2 agrees with it."))
                           .arg(verdict.contested)
                           .arg(verdict.contestedBy));
    case OffsetVote::Outcome::Uncertain:
        break;
    }
    const QLocale locale = TextFormat::locale();
    return refusal(text(QT_TRANSLATE_NOOP("TimeEstimator", "Status: Were one time server wrong, the answers would still "
                                                           "leave %1 ms open; the clock is set only when it lands "
                                                           "within %2 ms of the time servers."))
                       .arg(locale.toString((verdict.uncertaintyUsec + kUsecPerMsec - 1) / kUsecPerMsec))
                       .arg(locale.toString(kLimitUsec / kUsecPerMsec)));
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

void TimeEstimator::aimAt(UpdateEstimate& result, const OffsetVote::Verdict& verdict) const
{
    result.adjustmentUsec = verdict.aimUsec;
    result.uncertaintyUsec = verdict.uncertaintyUsec;
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
    return m_vote.verdict(kLimitUsec).outcome == OffsetVote::Outcome::Set;
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
