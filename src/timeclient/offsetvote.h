// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/offsetinterval.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where each server puts the offset (its own answers intersected) and what
// the servers decide together. Fewer than half of them may be wrong: the
// offset then lies where all but that many servers hold it, whoever they
// are, so the clock is set only where that stretch is narrow, and a single
// server never narrows the estimate against the others.
class OffsetVote
{
public:
    // Narrows `server`'s interval by one more answer. A server whose own
    // answers do not meet holds no offset at all.
    void add(const QString& server, const OffsetInterval& answer);
    qsizetype servers() const { return m_windows.size(); }
    // How many servers may be wrong for the others to outvote them.
    int tolerated() const { return int((m_windows.size() - 1) / 2); }
    // The offsets `server` holds; empty when it has not answered.
    OffsetInterval window(const QString& server) const;
    // Whether no answer contradicts another, apart from servers that agree
    // with none: what honest servers and servers far off leave.
    bool unanimous() const;

    // The stretches that the most servers hold, in order, and how many hold them.
    struct Support
    {
        int servers = 0;
        QList<OffsetInterval> stretches;
    };
    Support support() const;
    // From the first to the last best-held stretch: what the next question
    // is timed to halve.
    std::optional<OffsetInterval> span() const;
    // From the first to the last offset that all servers but `wrong` hold:
    // where the servers' time lies if no more than `wrong` of them are wrong.
    std::optional<OffsetInterval> heldByAllBut(int wrong) const;

    enum class Outcome
    {
        Set,
        Disagree,  // no offset held by all but the tolerated servers, or held in two places
        Contested, // an outsider agrees with one inside on an offset far from the aim
        Uncertain, // the tolerated servers could still move the aim too far
    };
    // What the servers decide together, the clock to be set no further than
    // `limitUsec` from their time whichever tolerated servers are wrong.
    struct Verdict
    {
        Outcome outcome = Outcome::Disagree;
        qint64 aimUsec = 0;
        // How far from the aim the servers' time may be.
        qint64 uncertaintyUsec = 0;
        int holders = 0;
        QStringList outside;
        QString contested;
        QString contestedBy;
    };
    Verdict verdict(qint64 limitUsec) const;

private:
    struct Window
    {
        QString server;
        OffsetInterval interval;
    };
    // The servers outside the aim, and the first that agrees with one inside far from it.
    void findOutsiders(Verdict& verdict, qint64 limitUsec) const;

    QList<Window> m_windows;
};
