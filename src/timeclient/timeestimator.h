// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timeclient/clockadjustment.h"
#include "timeclient/offsetvote.h"
#include "timeclient/questionplanner.h"
#include "timeclient/timeprotocol.h"
#include "timeclient/timequestion.h"
#include "timeclient/timereceipt.h"
#include "timeclient/updateestimate.h"

#include <QDate>
#include <QHash>
#include <QStringList>

#include <functional>
#include <optional>

// Turns the first answer of an update into the adjustment of the PC clock.
// It asks every server of the cycle once and then once more, each question
// timed so that its answer halves the offsets still possible, and lets the
// servers vote (OffsetVote): fewer than half of them may be wrong, and the
// clock is set only where, whichever they are, it lands within 130 ms of
// the others' time. The last three questions are chosen with every way
// their answers can come in view (QuestionPlanner): they repeat the edges
// found, so that a server that steered the halving is contradicted, and
// settle what such a contradiction leaves open. A lone server must still be
// running to move the clock by more than a day; several must have two that
// agree.
class TimeEstimator
{
public:
    // Asks one server once within a time limit (TimeQuestion::ask).
    using Asker = std::function<std::optional<TimeReceipt>(const QString& entry, int limitMsecs)>;
    // Returns once the monotonic clock reads the given moment (tests move a fake clock instead).
    using Waiter = std::function<void(qint64 monotonicMsecs)>;

    static constexpr int kQuestionMsecs = TimeProtocol::kAnswerLimitMsecs;
    // Server etiquette: an update takes at most 10 s from its first question
    // and asks a server at most twice, never twice within 4 s.
    static constexpr int kUpdateMsecs = 10000;
    static constexpr int kSameServerMsecs = 4000;
    static constexpr qint64 kLargeStepUsec = 86'400'000'000;
    // How far from the servers' time the clock may be set, whichever one of them is wrong.
    static constexpr qint64 kLimitUsec = 130'000;

    TimeEstimator(const QStringList& cycle, QDate buildDay = ClockAdjustment::buildDay(),
                  Asker ask = TimeQuestion::ask, Waiter wait = sleepUntil);

    // `first` is the answer of `firstEntry` that the component's cycle got;
    // the servers in `alreadyAsked` (those the cycle tried before) count as
    // asked once.
    UpdateEstimate estimate(const TimeReceipt& first, const QString& firstEntry,
                            const QStringList& alreadyAsked = {});

    static void sleepUntil(qint64 monotonicMsecs);

private:
    void take(const QString& entry, const TimeReceipt& receipt);
    // Asks the servers of `plan` in turn, each once.
    void askInTurn(const QStringList& plan);
    // The offset the first of `rest`, the servers still to ask, is to test.
    qint64 nextEdge(const QStringList& rest);
    // How many of `rest` can still be asked before the update's time is up.
    qsizetype questionsInTime(const QStringList& rest, qint64 waitMsecs) const;
    std::optional<TimeReceipt> askAt(const QString& entry, qint64 edgeUsec);
    qint64 questionMoment(const QString& entry, qint64 earliestMonotonicMsecs, qint64 edgeUsec) const;
    qint64 sendDelay(const QString& entry) const;
    UpdateEstimate decide(const TimeReceipt& first, const QString& firstEntry);
    // Why the vote sets nothing; empty when it sets the clock.
    LocalizedText verdictRefusal(const OffsetVote::Verdict& verdict) const;
    // Why a step of more than a day is not taken; empty when it is.
    LocalizedText largeStepRefusal(const OffsetVote::Verdict& verdict, const TimeReceipt& first,
                                   const QString& firstEntry);
    void aimAt(UpdateEstimate& result, const OffsetVote::Verdict& verdict) const;
    bool confirmLargeStep(const TimeReceipt& first, const QString& firstEntry);
    bool clockMoved() const;
    qint64 pcUsecAt(qint64 monotonicMsecs) const;

    QStringList m_cycle;
    QDate m_buildDay;
    Asker m_ask;
    Waiter m_wait;
    OffsetVote m_vote;
    int m_answers = 0;
    // Chooses the last questions, once they come.
    std::optional<QuestionPlanner> m_planner;
    // For each server that answered, how long from its question to its sending.
    QHash<QString, qint64> m_sendDelays;
    QHash<QString, int> m_questions;
    QHash<QString, qint64> m_firstQuestionMsecs;
    qint64 m_deadlineMsecs = 0;
    // One pairing of the PC's UTC clock with the monotonic clock, taken at the
    // first answer, places every answer on one time line.
    qint64 m_anchorUtcUsec = 0;
    qint64 m_anchorMonotonicMsecs = 0;
};
