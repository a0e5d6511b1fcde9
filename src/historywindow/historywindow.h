// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/updatehistory.h"

#include <QWidget>

class HistoryChart;
class HistoryModel;
class QChartView;
class QLabel;
class QTableView;

// What the clock did: the drift and a summary in words, a chart of the
// offset at each update, the records as a sortable table, and buttons that
// copy or save them as CSV.
class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HistoryWindow(const QString& historyFile, QWidget* parent = nullptr);

public Q_SLOTS:
    // Reads the history again.
    void reload();

protected:
    // The chart follows the palette, also when the desktop changes it.
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeButtons();
    void copyCsv();
    void saveCsv();
    QByteArray csv() const;

    UpdateHistory m_history;
    QList<HistoryRecord> m_records;
    QLabel* m_summary;
    QChartView* m_chartView;
    HistoryChart* m_chart = nullptr;
    HistoryModel* m_model;
    QTableView* m_table;
};
