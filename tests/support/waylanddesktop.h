#pragma once

#include "support/privatesystembus.h"

#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

#include <utility>

// A private Wayland desktop: sway's headless backend as the compositor,
// waybar's tray as the StatusNotifierItem host and a session bus of its own.
// sway refuses to run as root, so under root the desktop and the programs
// started on it run as an ordinary user (created the first time); the test
// itself stays root and reaches the session bus and sway's socket all the
// same. Runs from the constructor, which waits until the tray host is
// registered, until the destructor.
class WaylandDesktop
{
public:
    WaylandDesktop();
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    bool isRunning() const { return m_error.isEmpty(); }
    // What went wrong when the desktop did not start.
    QString errorText() const { return m_error; }

    // What a program needs to run on this desktop; a null value removes the name.
    QList<std::pair<const char*, QString>> environment() const;
    // Makes `process` start as the desktop's user.
    void runAsUser(QProcess& process) const;
    // Hands the files below `path` to the desktop's user.
    void giveToUser(const QString& path) const;
    QString sessionBusAddress() const { return m_sessionBus.address(); }
    // What swaymsg prints for `arguments`.
    QString swaymsg(const QStringList& arguments) const;

private:
    bool findUser();
    void writeConfiguration();
    bool start(QProcess& process, const QString& program, const QStringList& arguments);
    bool hostIsRegistered() const;

    QTemporaryDir m_home;
    PrivateSystemBus m_sessionBus{QStringLiteral("session")};
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    QProcess m_sway;
    QProcess m_waybar;
    QString m_wayland;
    QString m_error;
};
