// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>

// A window manager (or Xfce's panel with its window manager) on a running X
// display, started by peers/window-manager.sh from the constructor, which
// waits until it manages the display, until the destructor.
class WindowManager
{
public:
    // `kind`: "xfwm4", "openbox" or "xfce4-panel".
    WindowManager(const QString& display, const QString& kind);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    // The session bus it made; Xfce's panel hosts StatusNotifierItems on it.
    QString sessionBusAddress() const { return m_bus; }

private:
    QProcess m_script;
    QString m_bus;
    QString m_error;
};
