// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/privatesystembus.h"

#include <QProcess>
#include <QTemporaryDir>

#include <sys/types.h>
#include <unistd.h>

// A private Wayland desktop: sway's headless backend, waybar's tray as the
// StatusNotifierItem host and a session bus of its own. sway refuses root, so
// under root the desktop and the programs started on it run as the ordinary
// user korvel-desktop (created the first time); the test stays root and
// reaches the session bus and sway's socket all the same. Runs from the
// constructor, which waits until the tray host is registered, until the destructor.
class WaylandDesktop
{
public:
    WaylandDesktop();
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    QString sessionBusAddress() const { return m_sessionBus.address(); }

    // Makes `process` start on this desktop, as its user, with what
    // `environment` holds besides.
    void prepare(QProcess& process, QProcessEnvironment environment) const;
    // Hands the files below `path` to the desktop's user.
    void giveToUser(const QString& path) const;
    // What swaymsg prints for `arguments`.
    QString swaymsg(const QStringList& arguments) const;

private:
    bool start(QProcess& process, const QString& program, const QStringList& arguments);
    bool hostIsRegistered() const;

    QTemporaryDir m_home;
    PrivateSystemBus m_sessionBus{QStringLiteral("session")};
    uid_t m_uid = getuid();
    gid_t m_gid = getgid();
    QProcess m_sway;
    QProcess m_waybar;
    QString m_wayland;
    QString m_error;
};
