// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/historycommand.h"

#include "history/clockdrift.h"
#include "history/drifttext.h"
#include "history/historytable.h"
#include "history/updatehistory.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace HistoryCommand {

namespace {
// Sources marked where they are written, so the translator sees them.
QString text(const char* source)
{
    return QCoreApplication::translate("HistoryCommand", source);
}
} // namespace

bool asks(int argc, char** argv)
{
    return argc >= 2 && std::strcmp(argv[1], "--history") == 0;
}

int run(int argc, char** argv)
{
    const bool csv = argc >= 3 && std::strcmp(argv[2], "--csv") == 0;
    const UpdateHistory history;
    const UpdateHistory::Reading reading = history.read();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!reading.problem.isEmpty()) {
        err << "korvel: " << text(QT_TRANSLATE_NOOP("HistoryCommand", "cannot read the update history %1 (%2)")).arg(history.path(), reading.problem)
            << Qt::endl;
        return 1;
    }
    if (reading.damagedLines > 0)
        err << "korvel: " << text(QT_TRANSLATE_NOOP("HistoryCommand", "damaged lines skipped in %1: %2")).arg(history.path()).arg(reading.damagedLines)
            << Qt::endl;
    const QString empty = text(QT_TRANSLATE_NOOP("HistoryCommand", "No updates recorded yet."));
    if (csv) {
        // A spreadsheet still gets its columns.
        const QByteArray bytes = reading.bytes.isEmpty() ? HistoryRecord::header() + '\n' : reading.bytes;
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        if (reading.records.isEmpty())
            err << empty << Qt::endl;
        return 0;
    }
    if (reading.records.isEmpty()) {
        out << empty << Qt::endl;
        return 0;
    }
    for (const QString& line : HistoryTable::lines(reading.records))
        out << line << '\n';
    out << '\n' << DriftText::summary(ClockDrift::of(reading.records)) << Qt::endl;
    return 0;
}

} // namespace HistoryCommand
