// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One thing the mouse did to the notification-area icon, whichever way the
// desktop reported it.
struct TrayMouseEvent
{
    enum Kind { None, MouseDown, MouseUp, MouseMove, DoubleClick };

    Kind kind = None;
    int button = 0; // 1 left, 2 right; 0 for a move or for nothing

    bool operator==(const TrayMouseEvent&) const = default;
};
