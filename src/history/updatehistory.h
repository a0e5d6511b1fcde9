// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/historyrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The history of updates: a CSV file in the user's state folder with one
// record an update or check, the newest last. It keeps the newest few
// thousand records within the size the settings' bounded reading takes, so
// it is only ever read as a regular file of sane size. A damaged line is
// skipped; a file that cannot be read is kept aside and a new one begun; a
// file that cannot be written is said once, and the updates go on.
class UpdateHistory
{
public:
    static constexpr int kMostRecords = 5000;
    // What a full history is cut back to, so that it is not rewritten at
    // every update.
    static constexpr int kTrimmedRecords = kMostRecords * 9 / 10;

    explicit UpdateHistory(const QString& path = userFile());

    // history.csv in $XDG_STATE_HOME/korvel when XDG_STATE_HOME is an
    // absolute path, else in $HOME/.local/state/korvel; empty when neither
    // names a folder.
    static QString userFile();
    QString path() const { return m_path; }

    struct Reading
    {
        // In the order of the file, the oldest first.
        QList<HistoryRecord> records;
        int damagedLines = 0;
        // The file as it is; empty when it is absent or cannot be read.
        QByteArray bytes;
        // Why the file cannot be read; empty when it was read or is absent.
        QString problem;
    };
    Reading read() const;

    // Appends a record, making the folder and the file when they are missing
    // and cutting the oldest records from a full history. Returns lines for
    // the user: a file that cannot be written is said once, until a record
    // is written again.
    QStringList append(const HistoryRecord& record);
    // The records as of the last append; empty before the first.
    const QList<HistoryRecord>& appended() const { return m_appended; }

private:
    // Each returns why it failed; empty when it did its work.
    QString setAside() const;
    QString write(const Reading& current, const QByteArray& line) const;
    QString rewrite(const QList<HistoryRecord>& records, const QByteArray& line) const;
    QString makeFolder() const;

    QString m_path;
    bool m_failureSaid = false;
    QList<HistoryRecord> m_appended;
};
