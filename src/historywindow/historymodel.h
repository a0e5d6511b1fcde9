// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/historyrecord.h"

#include <QAbstractTableModel>
#include <QList>

// The recorded updates as the History window's table: the cells of
// `korvel --history`, the time in the PC's own zone, and for sorting each
// column's value as a number or a time (Qt::UserRole).
class HistoryModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit HistoryModel(QObject* parent = nullptr);

    void setRecords(const QList<HistoryRecord>& records);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVariant sortValue(const HistoryRecord& record, int column) const;

    QList<HistoryRecord> m_records;
};
