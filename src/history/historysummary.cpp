// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/historysummary.h"

#include "base/textformat.h"
#include "history/drifttext.h"
#include "history/historytable.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <limits>

namespace HistorySummary {

namespace {
// Sources marked where they are written, so the translator sees them.
QString text(const char* source)
{
    return QCoreApplication::translate("HistorySummary", source);
}
} // namespace

QString text(const QList<HistoryRecord>& records, const std::optional<ClockDrift::Drift>& drift)
{
    if (records.isEmpty())
        return text(QT_TRANSLATE_NOOP("HistorySummary", "No updates recorded yet."));
    int set = 0, measured = 0;
    qint64 lowest = std::numeric_limits<qint64>::max(), highest = std::numeric_limits<qint64>::min();
    QDateTime first = records.first().utc, last = first;
    for (const HistoryRecord& record : records) {
        first = std::min(first, record.utc);
        last = std::max(last, record.utc);
        if (!record.offsetUsec)
            continue;
        ++(record.outcome == HistoryRecord::Outcome::Set ? set : measured);
        lowest = std::min(lowest, *record.offsetUsec);
        highest = std::max(highest, *record.offsetUsec);
    }
    const QLocale locale = TextFormat::locale();
    QString said = text(QT_TRANSLATE_NOOP("HistorySummary", "%1 updates from %2 to %3: %4 set the clock, %5 measured it without setting it, %6 measured "
                        "nothing."))
                       .arg(records.size())
                       .arg(locale.toString(first.toLocalTime(), QLocale::ShortFormat),
                            locale.toString(last.toLocalTime(), QLocale::ShortFormat))
                       .arg(set)
                       .arg(measured)
                       .arg(records.size() - set - measured);
    if (set + measured > 0)
        said += u' ' + text(QT_TRANSLATE_NOOP("HistorySummary", "The PC clock was between %1 s and %2 s off the time servers."))
                           .arg(HistoryTable::secondsText(double(lowest) / 1e6, true),
                                HistoryTable::secondsText(double(highest) / 1e6, true));
    return said + u' ' + DriftText::summary(drift);
}

} // namespace HistorySummary
