// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/historytable.h"

#include "base/textformat.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>

namespace HistoryTable {

namespace {
// Sources marked where they are written, so the translator sees them.
QString text(const char* source)
{
    return QCoreApplication::translate("HistoryTable", source);
}
} // namespace

QString secondsText(double seconds, bool withSign)
{
    QLocale locale = TextFormat::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString digits = locale.toString(seconds, 'f', 3);
    return withSign && seconds > 0 ? locale.positiveSign() + digits : digits;
}

QString title(Column column)
{
    switch (column) {
    case Time:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "Time (UTC)"));
    case Outcome:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "What happened"));
    case Offset:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "Offset (s)"));
    case Uncertainty:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "± (s)"));
    case Lag:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "Lag (s)"));
    case AskedBy:
        return text(QT_TRANSLATE_NOOP("HistoryTable", "Asked by"));
    case Servers:
    case ColumnCount:
        break;
    }
    return text(QT_TRANSLATE_NOOP("HistoryTable", "Servers that answered"));
}

bool isNumber(Column column)
{
    return column == Offset || column == Uncertainty || column == Lag;
}

QString cell(const HistoryRecord& record, Column column)
{
    switch (column) {
    case Time:
        return record.utc.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss'Z'"));
    case Outcome:
        return record.outcomeText();
    case Offset:
        return record.offsetUsec ? secondsText(double(*record.offsetUsec) / 1e6, true) : QString();
    case Uncertainty:
        return record.offsetUsec ? secondsText(double(record.uncertaintyUsec) / 1e6) : QString();
    case Lag:
        return record.lagSeconds ? secondsText(*record.lagSeconds) : QString();
    case AskedBy:
        return record.askedByUser ? text(QT_TRANSLATE_NOOP("HistoryTable", "user")) : text(QT_TRANSLATE_NOOP("HistoryTable", "schedule"));
    case Servers:
    case ColumnCount:
        break;
    }
    return record.servers.join(QStringLiteral(", "));
}

QStringList lines(const QList<HistoryRecord>& records)
{
    QList<QStringList> rows{{}};
    for (int column = 0; column < ColumnCount; ++column)
        rows.first() << title(Column(column));
    for (const HistoryRecord& record : records) {
        QStringList row;
        for (int column = 0; column < ColumnCount; ++column)
            row << cell(record, Column(column));
        rows << row;
    }
    QList<qsizetype> widths(ColumnCount, 0);
    for (const QStringList& row : std::as_const(rows)) {
        for (int column = 0; column < ColumnCount; ++column)
            widths[column] = std::max(widths[column], row.at(column).size());
    }
    QStringList result;
    for (const QStringList& row : std::as_const(rows)) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column) {
            const qsizetype width = column == ColumnCount - 1 ? 0 : widths[column];
            cells << (isNumber(Column(column)) ? row.at(column).rightJustified(width)
                                                : row.at(column).leftJustified(width));
        }
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(u' '))
            line.chop(1);
        result << line;
    }
    return result;
}

} // namespace HistoryTable
