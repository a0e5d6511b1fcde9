// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "timeclient/offsetvote.h"

#include <algorithm>

namespace {
struct Edge
{
    qint64 usec;
    int change; // +1 where a server's interval begins, -1 where it ends
};

// Each stretch between two edges of the servers' intervals, with how many hold it.
struct Held
{
    OffsetInterval stretch;
    int holders;
};

QList<Held> heldStretches(const QList<OffsetInterval>& intervals)
{
    QList<Edge> edges;
    for (const OffsetInterval& interval : intervals) {
        if (!interval.isEmpty())
            edges << Edge{interval.lowUsec, +1} << Edge{interval.highUsec, -1};
    }
    // Intervals are half-open: one that ends where another begins does not meet it.
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.usec != b.usec ? a.usec < b.usec : a.change < b.change; });
    QList<Held> held;
    int holding = 0;
    for (qsizetype i = 0; i + 1 < edges.size(); ++i) {
        holding += edges.at(i).change;
        const OffsetInterval stretch{edges.at(i).usec, edges.at(i + 1).usec};
        if (!stretch.isEmpty())
            held.append({stretch, holding});
    }
    return held;
}

bool holdsOffset(const OffsetInterval& interval, qint64 usec)
{
    return interval.lowUsec <= usec && usec < interval.highUsec;
}
} // namespace

void OffsetVote::add(const QString& server, const OffsetInterval& answer)
{
    for (Window& window : m_windows) {
        if (window.server == server) {
            window.interval = OffsetInterval::intersection({window.interval, answer});
            return;
        }
    }
    m_windows.append({server, answer});
}

OffsetInterval OffsetVote::window(const QString& server) const
{
    for (const Window& window : m_windows) {
        if (window.server == server)
            return window.interval;
    }
    return {};
}

bool OffsetVote::unanimous() const
{
    QList<OffsetInterval> agreeing;
    for (const Window& window : m_windows) {
        const bool meetsAnother = std::any_of(m_windows.cbegin(), m_windows.cend(), [&window](const Window& other) {
            return other.server != window.server && other.interval.meets(window.interval);
        });
        if (meetsAnother)
            agreeing << window.interval;
    }
    return m_windows.size() == 1 || (!agreeing.isEmpty() && !OffsetInterval::intersection(agreeing).isEmpty());
}

OffsetVote::Support OffsetVote::support() const
{
    QList<OffsetInterval> intervals;
    for (const Window& window : m_windows)
        intervals << window.interval;
    Support best;
    for (const Held& held : heldStretches(intervals)) {
        if (held.holders < best.servers || held.holders == 0)
            continue;
        if (held.holders > best.servers)
            best = {held.holders, {}};
        if (!best.stretches.isEmpty() && best.stretches.last().highUsec == held.stretch.lowUsec)
            best.stretches.last().highUsec = held.stretch.highUsec;
        else
            best.stretches.append(held.stretch);
    }
    return best;
}

std::optional<OffsetInterval> OffsetVote::span() const
{
    const Support best = support();
    if (best.stretches.isEmpty())
        return std::nullopt;
    return OffsetInterval{best.stretches.first().lowUsec, best.stretches.last().highUsec};
}

std::optional<OffsetInterval> OffsetVote::heldByAllBut(int wrong) const
{
    QList<OffsetInterval> intervals;
    for (const Window& window : m_windows)
        intervals << window.interval;
    std::optional<OffsetInterval> reach;
    for (const Held& held : heldStretches(intervals)) {
        if (held.holders < servers() - wrong)
            continue;
        if (!reach)
            reach = held.stretch;
        reach->highUsec = held.stretch.highUsec;
    }
    return reach;
}

OffsetVote::Verdict OffsetVote::verdict(qint64 limitUsec) const
{
    Verdict verdict;
    const Support best = support();
    const auto reach = heldByAllBut(tolerated());
    if (!reach || best.stretches.size() != 1)
        return verdict;
    verdict.holders = best.servers;
    verdict.aimUsec = best.stretches.first().middleUsec();
    if (tolerated() > 0) {
        if (reach->widthUsec() > 2 * limitUsec) {
            verdict.outcome = Outcome::Uncertain;
            verdict.uncertaintyUsec = reach->widthUsec() / 2;
            return verdict;
        }
        // As close to where the most servers put it as the guarantee allows.
        verdict.aimUsec = std::clamp(verdict.aimUsec, reach->highUsec - limitUsec, reach->lowUsec + limitUsec);
    }
    verdict.uncertaintyUsec = std::max(verdict.aimUsec - reach->lowUsec, reach->highUsec - verdict.aimUsec);
    verdict.outcome = Outcome::Set;
    findOutsiders(verdict, limitUsec);
    return verdict;
}

void OffsetVote::findOutsiders(Verdict& verdict, qint64 limitUsec) const
{
    for (const Window& window : m_windows) {
        if (!holdsOffset(window.interval, verdict.aimUsec))
            verdict.outside << window.server;
    }
    // With four servers or more, two that agree far from the aim may be two
    // against the rest, which no count of servers can settle.
    if (m_windows.size() < 4)
        return;
    for (const Window& outsider : m_windows) {
        if (!verdict.outside.contains(outsider.server))
            continue;
        for (const Window& insider : m_windows) {
            const OffsetInterval common = OffsetInterval::intersection({outsider.interval, insider.interval});
            if (verdict.outside.contains(insider.server) || common.isEmpty())
                continue;
            if (common.lowUsec < verdict.aimUsec - limitUsec || common.highUsec > verdict.aimUsec + limitUsec) {
                verdict.outcome = Outcome::Contested;
                verdict.contested = outsider.server;
                verdict.contestedBy = insider.server;
                return;
            }
        }
    }
}
