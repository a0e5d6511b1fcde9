// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/desktopscript.h"

#include <QProcess>

#include <sys/types.h>
#include <unistd.h>

// A Wayland desktop: sway's headless backend with waybar as the
// StatusNotifierItem host and a session bus of its own, run as the ordinary
// user korvel-desktop when the test runs as root (sway refuses root).
class WaylandDesktop : public DesktopScript
{
public:
    WaylandDesktop();

    QString sessionBusAddress() const { return value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")); }

    // Makes `process` start on this desktop, as its user, with what
    // `environment` holds besides.
    void prepare(QProcess& process, QProcessEnvironment environment) const;
    // Hands the files below `path` to the desktop's user.
    void giveToUser(const QString& path) const;
    // What swaymsg prints for `arguments`.
    QString swaymsg(const QStringList& arguments) const;

private:
    uid_t m_uid = getuid();
    gid_t m_gid = getgid();
};
