// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/desktopscript.h"

// A window manager (or Xfce's panel with its window manager) on a running X
// display, started by peers/window-manager.sh from the constructor, which
// waits until it manages the display, until the destructor.
class WindowManager : public DesktopScript
{
public:
    // `kind`: "xfwm4", "openbox" or "xfce4-panel".
    WindowManager(const QString& display, const QString& kind)
        : DesktopScript(QStringLiteral(KORVEL_WINDOW_MANAGER), {display, kind})
    {
    }
    // The session bus it made; Xfce's panel hosts StatusNotifierItems on it.
    QString sessionBusAddress() const { return value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")); }
};
