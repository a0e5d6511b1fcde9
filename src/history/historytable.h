// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "history/historyrecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The history as a table for people: the columns, each record's cells, and
// the table as aligned lines of text for `korvel --history`.
namespace HistoryTable {

enum Column { Time, Outcome, Offset, Uncertainty, Lag, AskedBy, Servers, ColumnCount };

QString title(Column column);
// The time in UTC ("2026-12-06 12:00:10Z"), the offset signed, seconds
// with three decimals; empty for what was not measured.
QString cell(const HistoryRecord& record, Column column);
bool isNumber(Column column);
// Seconds with three decimals in the user's way, with a plus sign when asked.
QString secondsText(double seconds, bool withSign = false);

// A header line and one line a record, every column as wide as its widest
// cell, numbers to the right.
QStringList lines(const QList<HistoryRecord>& records);

} // namespace HistoryTable
