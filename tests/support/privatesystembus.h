#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A dbus-daemon of the system type on a socket in a temporary folder, for
// tests that need system services without touching the machine's own bus.
// Started by the constructor, stopped by the destructor.
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
    // Environment for a child process whose system bus is this one.
    QProcessEnvironment processEnvironment() const;
    // Points DBUS_SYSTEM_BUS_ADDRESS of this process at the bus.
    void exportAddress() const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};
