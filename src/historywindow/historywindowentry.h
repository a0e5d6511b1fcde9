// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// The History window lives in a module of its own, which the window program
// loads the first time the user opens the window: Qt Charts and the
// libraries it pulls in are not loaded at start.
namespace HistoryWindowEntry {

// The module's file name, next to the window program.
inline constexpr char kModuleName[] = "korvel-historywindow.so";
// The module's one exported function: makes the History window (a top-level
// window, deleted when closed) over the history file `path`.
inline constexpr char kSymbol[] = "korvelMakeHistoryWindow";
using Function = QWidget* (*)(const QString& path);

} // namespace HistoryWindowEntry
