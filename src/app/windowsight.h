// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Whether the user can see `window`: hidden in the tray, or minimised where
// there is no tray, it is out of sight.
inline bool inSight(const QWidget& window)
{
    return window.isVisible() && !window.isMinimized();
}
