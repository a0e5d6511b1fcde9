// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/waylanddesktop.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

WaylandDesktop::WaylandDesktop()
    : DesktopScript(QStringLiteral(KORVEL_DESKTOP), {QStringLiteral("wayland")})
{
    if (const passwd* user = getpwnam(value(QStringLiteral("KORVEL_DESKTOP_USER")).toLocal8Bit().constData())) {
        m_uid = user->pw_uid;
        m_gid = user->pw_gid;
    }
}

void WaylandDesktop::prepare(QProcess& process, QProcessEnvironment environment) const
{
    environment.remove(QStringLiteral("DISPLAY"));
    for (auto it = this->environment().cbegin(); it != this->environment().cend(); ++it)
        environment.insert(it.key(), it.value());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    if (geteuid() != 0)
        return;
    process.setChildProcessModifier([uid = m_uid, gid = m_gid] {
        if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0)
            _exit(127);
    });
}

void WaylandDesktop::giveToUser(const QString& path) const
{
    if (geteuid() == 0)
        QProcess::execute("chown", {"-R", QString("%1:%2").arg(m_uid).arg(m_gid), path});
}

QString WaylandDesktop::swaymsg(const QStringList& arguments) const
{
    QProcess tool;
    tool.start("swaymsg", QStringList{"-s", value(QStringLiteral("SWAYSOCK"))} + arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}
