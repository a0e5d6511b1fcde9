// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/waylanddesktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int kStartMsecs = 15000;
const char* const kUser = "korvel-desktop";
const QByteArray kRunningLine = "Running compositor on wayland display '";
const std::pair<const char*, QByteArray> kFiles[] = {
    {"sway.conf", "output HEADLESS-1 resolution 1024x768\nxwayland disable\n"},
    {".config/waybar/config", R"({"modules-right": ["tray"], "tray": {"icon-size": 16}})"},
};
} // namespace

WaylandDesktop::WaylandDesktop()
{
    if (geteuid() == 0) {
        if (!getpwnam(kUser))
            QProcess::execute("useradd", {"--system", "--user-group", "--no-create-home", "--shell",
                                          "/usr/sbin/nologin", kUser});
        const passwd* user = getpwnam(kUser);
        if (!user) {
            m_error = QString("no user %1 to run sway as").arg(kUser);
            return;
        }
        m_uid = user->pw_uid;
        m_gid = user->pw_gid;
    }
    QDir home(m_home.path());
    home.mkpath(".config/waybar");
    home.mkdir("run");
    QFile(home.filePath("run")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const auto& [name, text] : kFiles) {
        QFile file(home.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            m_error = "cannot write " + file.fileName();
    }
    giveToUser(m_home.path());
    if (!m_error.isEmpty() || !start(m_sway, "sway", {"-V", "-c", home.filePath("sway.conf")}))
        return;
    // sway names its display in its log once it runs.
    const QDeadlineTimer deadline(kStartMsecs);
    QByteArray log;
    while (!log.contains(kRunningLine) && m_sway.waitForReadyRead(int(deadline.remainingTime())))
        log += m_sway.readAllStandardError();
    if (!log.contains(kRunningLine)) {
        m_error = "sway did not start: " + QString::fromLocal8Bit(log.right(2000));
        return;
    }
    m_wayland = QString::fromLatin1(log.mid(log.indexOf(kRunningLine) + kRunningLine.size())).section(u'\'', 0, 0);
    m_sway.setStandardErrorFile(QProcess::nullDevice());
    if (!start(m_waybar, "waybar", {}))
        return;
    while (!hostIsRegistered()) {
        if (deadline.hasExpired() || m_waybar.state() != QProcess::Running) {
            m_error = "waybar registered no tray host: " + QString::fromLocal8Bit(m_waybar.readAllStandardError());
            return;
        }
        QThread::msleep(20);
    }
}

WaylandDesktop::~WaylandDesktop()
{
    for (QProcess* process : {&m_waybar, &m_sway}) {
        process->terminate();
        process->waitForFinished(3000);
    }
}

void WaylandDesktop::prepare(QProcess& process, QProcessEnvironment environment) const
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    const std::pair<const char*, QString> entries[] = {
        {"XDG_RUNTIME_DIR", m_home.filePath("run")}, {"HOME", m_home.path()},
        {"DBUS_SESSION_BUS_ADDRESS", sessionBusAddress()}, {"SWAYSOCK", m_home.filePath("run/sway.sock")},
        {"QT_QPA_PLATFORM", "wayland"}, {"NO_AT_BRIDGE", "1"}, {"WLR_BACKENDS", "headless"},
        {"WLR_LIBINPUT_NO_DEVICES", "1"}, {"WLR_RENDERER", "pixman"}};
    for (const auto& [name, value] : entries)
        environment.insert(name, value);
    if (!m_wayland.isEmpty())
        environment.insert("WAYLAND_DISPLAY", m_wayland);
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
    tool.start("swaymsg", QStringList{"-s", m_home.filePath("run/sway.sock")} + arguments);
    tool.waitForFinished(10000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

bool WaylandDesktop::start(QProcess& process, const QString& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    prepare(process, environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    process.start(program, arguments);
    if (!process.waitForStarted())
        m_error = program + " did not start: " + process.errorString();
    return m_error.isEmpty();
}

bool WaylandDesktop::hostIsRegistered() const
{
    QProcess tool;
    tool.start("gdbus", {"call", "--address", sessionBusAddress(), "--dest", "org.kde.StatusNotifierWatcher",
                         "--object-path", "/StatusNotifierWatcher", "--method", "org.freedesktop.DBus.Properties.Get",
                         "org.kde.StatusNotifierWatcher", "IsStatusNotifierHostRegistered"});
    tool.waitForFinished(5000);
    return tool.readAllStandardOutput().contains("true");
}
