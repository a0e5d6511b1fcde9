// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// What one update or check found, as one line of the history file: plain
// CSV that a spreadsheet opens, one record a line, numbers with a period.
struct HistoryRecord
{
    enum class Outcome { Set, Checked, NotSet, NoAnswer };

    // The servers' time when the update began (the PC's when nothing was
    // measured), in UTC to the second.
    QDateTime utc;
    Outcome outcome = Outcome::NoAnswer;
    // Why the clock was not set, in a few words; empty otherwise.
    QString reason;
    // The PC clock minus the servers' time, and how far that may be off.
    std::optional<qint64> offsetUsec;
    qint64 uncertaintyUsec = 0;
    QStringList servers;
    std::optional<double> lagSeconds;
    bool askedByUser = true;

    // The line that names the columns, without its line end.
    static QByteArray header();
    // The record as one CSV line, without its line end.
    QByteArray toCsv() const;
    // Nothing for a line that is not a whole record: a damaged line.
    static std::optional<HistoryRecord> fromCsv(QByteArrayView line);

    // "set", "checked", "not set", "no answer", as the file says it.
    static QByteArray outcomeWord(Outcome outcome);
    // The same, for the user ("not set: <reason>").
    QString outcomeText() const;
};
