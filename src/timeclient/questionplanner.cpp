// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/questionplanner.h"

#include <algorithm>
#include <tuple>

namespace {
// A refusal, in the comparison of what the questions can leave.
constexpr qint64 kRefusedUsec = 3'600'000'000;
// A server whose own answers put an edge this near has drawn it.
constexpr qint64 kDrawnUsec = 130'000;

// The offsets worth testing: the edges and middles of the best-held stretch
// and of the stretch the guarantee leaves, and the middles between them.
QList<qint64> candidateEdges(const OffsetVote& vote)
{
    const auto span = vote.span();
    if (!span)
        return {};
    QList<qint64> edges{span->lowUsec, span->middleUsec(), span->highUsec};
    if (const auto reach = vote.heldByAllBut(vote.tolerated())) {
        edges << reach->lowUsec << reach->middleUsec() << reach->highUsec
              << reach->lowUsec + (span->lowUsec - reach->lowUsec) / 2
              << span->highUsec + (reach->highUsec - span->highUsec) / 2;
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

// How far `server` is from having drawn `edge` itself, when the edge is one
// of the best-held stretch's: a server that has said least about an edge
// repeats it best.
qint64 crossing(const OffsetVote& vote, const QString& server, qint64 edge)
{
    const auto span = vote.span();
    const OffsetInterval own = vote.window(server);
    if (!span || (edge > span->lowUsec && edge < span->highUsec))
        return 0;
    if (own.isEmpty())
        return OffsetInterval::kSecondUsec;
    const qint64 away = edge <= span->lowUsec ? span->lowUsec - own.lowUsec : own.highUsec - span->highUsec;
    return std::clamp<qint64>(away, 0, OffsetInterval::kSecondUsec);
}
} // namespace

QuestionPlanner::QuestionPlanner(qint64 limitUsec, qint64 honestWidthUsec)
    : m_limitUsec(limitUsec)
    , m_honestWidthUsec(honestWidthUsec)
{
}

qint64 QuestionPlanner::nextEdge(const OffsetVote& vote, const QStringList& servers, bool lastMayBeLost)
{
    m_lastMayBeLost = lastMayBeLost;
    if (const auto choice = bestChoice(vote, servers))
        return choice->edgeUsec;
    const auto span = vote.span();
    return span ? span->middleUsec() : 0;
}

std::optional<QuestionPlanner::Prospect> QuestionPlanner::prospect(const OffsetVote& vote,
                                                                   const QStringList& servers) const
{
    const auto roomNow = room(vote);
    if (!roomNow)
        return std::nullopt;
    if (!servers.isEmpty()) {
        if (auto choice = bestChoice(vote, servers)) {
            // When the last question may find no time left, honest servers had
            // better be set without it.
            if (m_lastMayBeLost && servers.size() == 1 && vote.unanimous())
                choice->prospect.honestFragile = choice->prospect.honestFragile || honestOpen(vote) > m_limitUsec;
            return choice->prospect;
        }
    }
    return settled(vote, *roomNow);
}

std::optional<QuestionPlanner::Choice> QuestionPlanner::bestChoice(const OffsetVote& vote,
                                                                   const QStringList& servers) const
{
    std::optional<Choice> best;
    for (const qint64 edge : candidateEdges(vote)) {
        const auto choice = choiceOf(vote, servers, edge);
        if (choice && (!best || better(*choice, *best)))
            best = choice;
    }
    return best;
}

std::optional<QuestionPlanner::Choice> QuestionPlanner::choiceOf(const OffsetVote& vote, const QStringList& servers,
                                                                 qint64 edgeUsec) const
{
    // The server's clock had turned at the edge, or had not yet.
    const OffsetInterval answers[] = {{edgeUsec, edgeUsec + OffsetInterval::kSecondUsec},
                                      {edgeUsec - OffsetInterval::kSecondUsec, edgeUsec}};
    const bool honestSoFar = vote.unanimous();
    bool honestAnswer = false;
    std::optional<Prospect> merged;
    for (const OffsetInterval& answer : answers) {
        OffsetVote next = vote;
        next.add(servers.first(), answer);
        const auto after = prospect(next, servers.mid(1));
        if (!after)
            continue;
        if (!merged)
            merged = Prospect{};
        merged->worstUsec = std::max(merged->worstUsec, after->worstUsec);
        if (!honestSoFar || !next.unanimous())
            continue;
        honestAnswer = true;
        merged->honestUsec = std::max(merged->honestUsec.value_or(0), after->honestUsec.value_or(kRefusedUsec));
        merged->honestFails = merged->honestFails || after->honestFails;
        merged->honestFragile = merged->honestFragile || after->honestFragile;
    }
    if (!merged)
        return std::nullopt;
    // Honest servers must be able to answer it without contradicting each other.
    merged->honestFails = merged->honestFails || (honestSoFar && !honestAnswer);
    return Choice{*merged, crossing(vote, servers.first(), edgeUsec), edgeUsec};
}

QuestionPlanner::Prospect QuestionPlanner::settled(const OffsetVote& vote, qint64 roomUsec) const
{
    Prospect done;
    done.worstUsec = roomUsec;
    if (!vote.unanimous())
        return done;
    done.honestUsec = honestOpen(vote);
    done.honestFails = vote.span()->widthUsec() > m_honestWidthUsec || *done.honestUsec > m_limitUsec;
    return done;
}

qint64 QuestionPlanner::honestOpen(const OffsetVote& vote) const
{
    // Aimed at the middle of what they all hold, how far the guarantee
    // leaves the clock from honest servers' time; nothing binds a lone pair.
    const auto span = vote.span();
    const auto reach = vote.heldByAllBut(vote.tolerated());
    if (vote.tolerated() == 0 || !span || !reach)
        return 0;
    return std::max(span->middleUsec() - reach->lowUsec, reach->highUsec - span->middleUsec());
}

std::optional<qint64> QuestionPlanner::room(const OffsetVote& vote) const
{
    // More servers wrong than the vote tolerates: not a way the answers can come.
    const auto reach = vote.heldByAllBut(vote.tolerated());
    if (!reach)
        return std::nullopt;
    const OffsetVote::Outcome outcome = vote.verdict(m_limitUsec).outcome;
    if (outcome == OffsetVote::Outcome::Disagree || outcome == OffsetVote::Outcome::Contested)
        return kRefusedUsec;
    return reach->widthUsec();
}

bool QuestionPlanner::better(const Choice& a, const Choice& b) const
{
    const auto key = [this](const Choice& choice) {
        const Prospect& p = choice.prospect;
        const qint64 honest = p.honestUsec.value_or(0);
        return std::make_tuple(p.honestFails, p.honestFragile, std::max(p.worstUsec, 2 * m_limitUsec),
                               choice.crossingUsec <= kDrawnUsec, honest > m_honestWidthUsec, honest,
                               p.worstUsec);
    };
    return key(a) < key(b);
}
