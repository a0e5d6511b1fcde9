// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clockadjustment.h"
#include "clockset/offsetinterval.h"
#include "timeclient/timequestion.h"
#include "timeclient/timereceipt.h"
#include "timeclient/updateestimate.h"

#include <QDate>
#include <QStringList>

#include <functional>
#include <optional>

// Turns the first answer of an update into the adjustment of the PC clock:
// reads its count in the right era, asks each other server of the cycle
// once at a moment chosen so that its answer halves the offsets still
// possible, checks that all answers agree and that a lone server is not
// stuck, and aims at the middle of what the answers leave.
class TimeEstimator
{
public:
    // Asks one server once within a time limit (TimeQuestion::ask).
    using Asker = std::function<std::optional<TimeReceipt>(const QString& entry, int limitMsecs)>;

    // Server etiquette: the refinement as a whole, and each of its questions.
    static constexpr int kRefinementMsecs = 4000;
    static constexpr int kQuestionMsecs = 1000;
    // A lone server must confirm a large step this long after its first answer.
    static constexpr int kConfirmationMsecs = 4000;
    static constexpr qint64 kLargeStepUsec = 86'400'000'000;

    TimeEstimator(const QStringList& cycle, QDate buildDay = ClockAdjustment::buildDay(),
                  Asker ask = TimeQuestion::ask);

    // `first` is the answer of `firstEntry` that the component's cycle got;
    // the servers in `alreadyAsked` (those the cycle tried before) are not
    // asked again.
    UpdateEstimate estimate(const TimeReceipt& first, const QString& firstEntry,
                            const QStringList& alreadyAsked = {});

private:
    struct Answer
    {
        QString entry;
        // Where the offset lies if the path is symmetric; what it aims at.
        OffsetInterval aimed;
        // Where it lies whatever the path; what agreement is judged on.
        OffsetInterval bound;
    };

    void add(const QString& entry, const TimeReceipt& receipt);
    void refine(const TimeReceipt& first, QStringList asked);
    bool confirmLargeStep(const TimeReceipt& first, const QString& firstEntry);
    // The monotonic moment to ask so that the server sends as its clock
    // turns a second, were the offset the middle of the current estimate.
    qint64 askingMoment(qint64 earliestMonotonicMsecs, qint64 sendDelayUsec) const;
    OffsetInterval aimedIntersection() const;
    QString disagreement() const;
    qint64 pcUsecAt(qint64 monotonicMsecs) const;

    QStringList m_cycle;
    QDate m_buildDay;
    Asker m_ask;
    QList<Answer> m_answers;
    // One pairing of the PC's UTC clock with the monotonic clock, taken at the
    // first answer, places every answer on one time line.
    qint64 m_anchorUtcUsec = 0;
    qint64 m_anchorMonotonicMsecs = 0;
};
