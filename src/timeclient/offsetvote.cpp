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

OffsetVote::Support OffsetVote::support() const
{
    QList<Edge> edges;
    for (const Window& window : m_windows) {
        if (!window.interval.isEmpty())
            edges << Edge{window.interval.lowUsec, +1} << Edge{window.interval.highUsec, -1};
    }
    // Intervals are half-open: one that ends where another begins does not meet it.
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.usec != b.usec ? a.usec < b.usec : a.change < b.change; });
    Support best;
    int holding = 0;
    for (qsizetype i = 0; i + 1 < edges.size(); ++i) {
        holding += edges.at(i).change;
        const OffsetInterval stretch{edges.at(i).usec, edges.at(i + 1).usec};
        if (stretch.isEmpty() || holding < best.servers)
            continue;
        if (holding > best.servers)
            best = {holding, {}};
        if (!best.stretches.isEmpty() && best.stretches.last().highUsec == stretch.lowUsec)
            best.stretches.last().highUsec = stretch.highUsec;
        else
            best.stretches.append(stretch);
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

OffsetVote::Verdict OffsetVote::verdict() const
{
    Verdict verdict;
    const Support best = support();
    if (best.stretches.size() != 1 || best.servers <= m_windows.size() / 2)
        return verdict;
    verdict.range = best.stretches.first();
    verdict.holders = best.servers;
    for (const Window& window : m_windows) {
        if (!window.interval.holds(*verdict.range))
            verdict.outside << window.server;
    }
    for (const Window& window : m_windows) {
        if (!verdict.outside.contains(window.server))
            continue;
        for (const Window& other : m_windows) {
            if (other.interval.holds(*verdict.range) && other.interval.meets(window.interval)) {
                verdict.contested = window.server;
                verdict.contestedBy = other.server;
                return verdict;
            }
        }
    }
    return verdict;
}
