// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "historywindow/historymodel.h"

#include "history/historytable.h"


HistoryModel::HistoryModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void HistoryModel::setRecords(const QList<HistoryRecord>& records)
{
    beginResetModel();
    m_records = records;
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : HistoryTable::ColumnCount;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return {};
    const HistoryRecord& record = m_records.at(index.row());
    const auto column = HistoryTable::Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (column == HistoryTable::Time)
            return record.utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return HistoryTable::cell(record, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (HistoryTable::isNumber(column) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::UserRole:
        return sortValue(record, column);
    default:
        return {};
    }
}

QVariant HistoryModel::sortValue(const HistoryRecord& record, int column) const
{
    // What was not measured sorts before everything that was.
    const auto orLowest = [](const std::optional<double>& value) { return value.value_or(-1e300); };
    switch (column) {
    case HistoryTable::Time:
        return record.utc.toMSecsSinceEpoch();
    case HistoryTable::Offset:
        return orLowest(record.offsetUsec ? std::optional(double(*record.offsetUsec)) : std::nullopt);
    case HistoryTable::Uncertainty:
        return orLowest(record.offsetUsec ? std::optional(double(record.uncertaintyUsec)) : std::nullopt);
    case HistoryTable::Lag:
        return orLowest(record.lagSeconds);
    default:
        return HistoryTable::cell(record, HistoryTable::Column(column));
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    // The table shows the PC's own time, not UTC.
    if (section == HistoryTable::Time)
        return tr("Time");
    return HistoryTable::title(HistoryTable::Column(section));
}
