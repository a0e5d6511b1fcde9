// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocalServer>
#include <QObject>

#include <functional>

// One Korvel per user session: a later start hands over to the running one
// instead of becoming a second copy that would set the clock as well and
// write its own options over the first one's. Korvels on different settings
// files (another XDG_CONFIG_HOME) do not meet.
class SessionInstance : public QObject
{
public:
    // What a later start asks of the running Korvel.
    enum class Request : char {
        ShowWindow = 'w', // a start from the menu: bring the window up
        Unattended = 'u', // a start at login: nothing to do, it already runs
    };

    // The socket of the Korvel that keeps its options in `settingsFile`,
    // under $XDG_RUNTIME_DIR (the temporary folder without one).
    static QString socketPath(const QString& settingsFile);
    // Hands this start over to a Korvel that listens at `socketPath`; true
    // once it has taken it. Needs no application object.
    static bool handOver(const QString& socketPath, Request request);

    // Takes the later starts from now on; false, after saying why, when it
    // cannot (Korvel then runs on alone, as before).
    bool listen(const QString& socketPath);
    // How to bring the window up; a request that came before runs now.
    void setShowWindow(std::function<void()> showWindow);

private:
    void takeConnections();
    void serve(char request);

    QLocalServer m_server;
    std::function<void()> m_showWindow;
    bool m_showPending = false;
};
