// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The History window's module: the one function the window program looks up.
#include "historywindow/historywindow.h"
#include "historywindow/historywindowentry.h"

extern "C" Q_DECL_EXPORT QWidget* korvelMakeHistoryWindow(const QString& path)
{
    static_assert(std::is_same_v<decltype(&korvelMakeHistoryWindow), HistoryWindowEntry::Function>);
    auto* window = new HistoryWindow(path);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}
