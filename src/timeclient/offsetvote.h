// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/offsetinterval.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where each server puts the offset (its own answers intersected) and the
// stretch of offsets that most servers hold: Marzullo's intersection, so
// that what one server says never narrows the estimate against the others.
class OffsetVote
{
public:
    // Narrows `server`'s interval by one more answer. A server whose own
    // answers do not meet holds no offset at all.
    void add(const QString& server, const OffsetInterval& answer);
    qsizetype servers() const { return m_windows.size(); }

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

    // What the servers decide together: one stretch held by more than half
    // of them, and the servers outside it.
    struct Verdict
    {
        std::optional<OffsetInterval> range;
        int holders = 0;
        QStringList outside;
        // An outsider that a server inside agrees with: two against the rest,
        // which no count of servers can settle.
        QString contested;
        QString contestedBy;
    };
    Verdict verdict() const;

private:
    struct Window
    {
        QString server;
        OffsetInterval interval;
    };
    QList<Window> m_windows;
};
