// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "timeclient/offsetvote.h"

#include <QStringList>

#include <optional>

// Chooses what the last questions of an update ask: which offset each one
// tests (the edge at which the server's clock turns a second, were the
// offset that). It looks at every way the remaining answers can come, any
// one server answering as it likes, and takes the question after which the
// clock is set most surely: first, honest servers still give the precision
// wanted and are set (even should the last question find no time left);
// then, one wrong server can leave the least room; then the edge is
// repeated by a server whose own answers have not drawn it, so that two
// that lie together are more often contradicted; then, how closely honest
// servers pin the time.
class QuestionPlanner
{
public:
    // `limitUsec`: how far from the servers' time a clock may be set;
    // `honestWidthUsec`: how narrow honest servers' answers must leave the offset.
    QuestionPlanner(qint64 limitUsec, qint64 honestWidthUsec);

    // The offset that the first of `servers`, asked in this order, is to
    // test; the last of them may find no time left.
    qint64 nextEdge(const OffsetVote& vote, const QStringList& servers, bool lastMayBeLost);

private:
    // What the vote can come to after the remaining questions.
    struct Prospect
    {
        // The widest stretch the guarantee leaves, whatever one server does;
        // a refusal counts as very wide.
        qint64 worstUsec = 0;
        // The same when every server is honest; nothing when some already contradicts another.
        std::optional<qint64> honestUsec;
        bool honestFails = false;
        // Honest servers would not be set, should the last question be lost.
        bool honestFragile = false;
    };
    struct Choice
    {
        Prospect prospect;
        qint64 crossingUsec = 0;
        qint64 edgeUsec = 0;
    };
    std::optional<Prospect> prospect(const OffsetVote& vote, const QStringList& servers) const;
    std::optional<Choice> bestChoice(const OffsetVote& vote, const QStringList& servers) const;
    std::optional<Choice> choiceOf(const OffsetVote& vote, const QStringList& servers, qint64 edgeUsec) const;
    Prospect settled(const OffsetVote& vote, qint64 roomUsec) const;
    qint64 honestOpen(const OffsetVote& vote) const;
    std::optional<qint64> room(const OffsetVote& vote) const;
    bool better(const Choice& a, const Choice& b) const;

    qint64 m_limitUsec;
    qint64 m_honestWidthUsec;
    bool m_lastMayBeLost = false;
};
