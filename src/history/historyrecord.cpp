// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/historyrecord.h"

#include <QCoreApplication>
#include <QByteArrayList>
#include <QTimeZone>

#include <cmath>
#include <cstdio>

namespace {
constexpr int kColumns = 8;
// Far beyond any offset a clock can have; keeps microseconds within 64 bits.
constexpr double kMostSeconds = 1e12;
constexpr std::pair<HistoryRecord::Outcome, const char*> kOutcomeWords[] = {
    {HistoryRecord::Outcome::Set, "set"},
    {HistoryRecord::Outcome::Checked, "checked"},
    {HistoryRecord::Outcome::NotSet, "not set"},
    {HistoryRecord::Outcome::NoAnswer, "no answer"},
};

QByteArray quoted(const QString& text)
{
    // One record a line: a line break inside a field would split it.
    QByteArray field = text.toUtf8().replace('\n', ' ').replace('\r', ' ');
    if (!field.contains(',') && !field.contains('"'))
        return field;
    return '"' + field.replace("\"", "\"\"") + '"';
}

QByteArray seconds(qint64 usec)
{
    return QByteArray::number(double(usec) / 1e6, 'f', 6);
}

// The fields of one CSV line; nothing when a quote is left open.
std::optional<QByteArrayList> fields(QByteArrayView line)
{
    // Korvel's own lines seldom quote: those are split at once.
    if (!line.contains('"'))
        return line.toByteArray().split(',');
    QByteArrayList result{QByteArray()};
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line.at(i);
        if (inQuotes && c == '"' && i + 1 < line.size() && line.at(i + 1) == '"')
            result.last() += line.at(++i);
        else if (c == '"')
            inQuotes = !inQuotes;
        else if (c == ',' && !inQuotes)
            result.append(QByteArray());
        else
            result.last() += c;
    }
    if (inQuotes)
        return std::nullopt;
    return result;
}

// An empty field is "none"; anything else must be a finite number in range.
bool readNumber(const QByteArray& field, std::optional<double>& number)
{
    if (field.isEmpty())
        return true;
    bool ok = false;
    const double value = field.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > kMostSeconds)
        return false;
    number = value;
    return true;
}

// The form Korvel writes is read at once; any other ISO 8601 form the slow way.
QDateTime utcOf(const QByteArray& text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char zone = 0;
    if (text.size() == 20
        && std::sscanf(text.constData(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &year, &month, &day, &hour, &minute, &second,
                       &zone) == 7
        && zone == 'Z')
        return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

std::optional<HistoryRecord::Outcome> outcomeOf(const QByteArray& word)
{
    for (const auto& [outcome, text] : kOutcomeWords) {
        if (word == text)
            return outcome;
    }
    return std::nullopt;
}

qint64 usecOf(double seconds)
{
    return std::llround(seconds * 1e6);
}
} // namespace

QByteArray HistoryRecord::header()
{
    return "time_utc,outcome,reason,offset_s,uncertainty_s,servers,lag_s,asked_by";
}

QByteArray HistoryRecord::outcomeWord(Outcome outcome)
{
    for (const auto& [known, text] : kOutcomeWords) {
        if (known == outcome)
            return text;
    }
    return {};
}

QByteArray HistoryRecord::toCsv() const
{
    const QByteArrayList columns{
        utc.toUTC().toString(Qt::ISODate).toLatin1(),
        outcomeWord(outcome),
        quoted(reason),
        offsetUsec ? seconds(*offsetUsec) : QByteArray(),
        offsetUsec ? seconds(uncertaintyUsec) : QByteArray(),
        quoted(servers.join(u' ')),
        lagSeconds ? QByteArray::number(*lagSeconds, 'f', 3) : QByteArray(),
        askedByUser ? "user" : "schedule",
    };
    return columns.join(',');
}

std::optional<HistoryRecord> HistoryRecord::fromCsv(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    const auto columns = fields(line);
    if (!columns || columns->size() != kColumns)
        return std::nullopt;
    HistoryRecord record;
    record.utc = utcOf(columns->at(0));
    const auto outcome = outcomeOf(columns->at(1));
    const QByteArray& askedBy = columns->at(7);
    std::optional<double> offset, uncertainty, lag;
    if (!record.utc.isValid() || !outcome || (askedBy != "user" && askedBy != "schedule")
        || !readNumber(columns->at(3), offset) || !readNumber(columns->at(4), uncertainty)
        || !readNumber(columns->at(6), lag) || uncertainty.value_or(0) < 0 || lag.value_or(0) < 0)
        return std::nullopt;
    record.outcome = *outcome;
    record.reason = QString::fromUtf8(columns->at(2));
    if (offset) {
        record.offsetUsec = usecOf(*offset);
        record.uncertaintyUsec = usecOf(uncertainty.value_or(0));
    }
    record.servers = QString::fromUtf8(columns->at(5)).split(u' ', Qt::SkipEmptyParts);
    record.lagSeconds = lag;
    record.askedByUser = askedBy == "user";
    return record;
}

QString HistoryRecord::outcomeText() const
{
    switch (outcome) {
    case Outcome::Set:
        return QCoreApplication::translate("HistoryRecord", "set");
    case Outcome::Checked:
        return QCoreApplication::translate("HistoryRecord", "checked");
    case Outcome::NotSet:
        return reason.isEmpty() ? QCoreApplication::translate("HistoryRecord", "not set")
                                : QCoreApplication::translate("HistoryRecord", "not set: %1").arg(reason);
    case Outcome::NoAnswer:
        break;
    }
    return QCoreApplication::translate("HistoryRecord", "no answer");
}
