// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private dbus-daemon of the system type (peers/private-bus.sh) on a socket
// in a temporary folder, standing in for the system bus so tests never touch
// the machine's own. Every local user may connect, so a desktop run as an
// ordinary user reaches it too. Runs for its lifetime.
class PrivateSystemBus
{
public:
    PrivateSystemBus();
    ~PrivateSystemBus();
    PrivateSystemBus(const PrivateSystemBus&) = delete;
    PrivateSystemBus& operator=(const PrivateSystemBus&) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    // What went wrong when the bus did not start.
    QString errorText() const { return m_error; }
    // A fresh connection to this bus; QtDBus caches the real system bus per
    // process, so code under test gets this one injected instead.
    QDBusConnection connect(const QString& connectionName) const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};
