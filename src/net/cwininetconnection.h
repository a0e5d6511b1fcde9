// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/connectionbackend.h"

#include <QString>
#include <QVariant>

#include <memory>

// Switches between online and offline, dials and hangs up, and keeps a
// snapshot of the connection-state flags taken by Refresh. Failures are
// raised as ConnectionError (see ProcessError for how they are built).
//
// Window-handle arguments are accepted for callers' sake; no dialog is
// shown on this platform, the system's connection manager does the dialling.
class CWinInetConnection
{
public:
    explicit CWinInetConnection(std::shared_ptr<ConnectionBackend> backend);

    /// Turns the local system to global online mode.
    bool SetGlobalOnline();
    bool SetGlobalOffline();
    /// Prompts the user for permission to initiate connection to a URL.
    bool GoOnline(const QString& strURL, qint32 hwndParentWindow);
    /// Instructs the modem to disconnect from the Internet.
    QVariant HangUp();
    /// Initiates a connection to the Internet using a modem.
    bool Dial(qint32 hwndParentWindow, const QString& strConnectionName, qint32 lOption,
              bool bShowOfflineButton = false);
    /// Disconnects an automatic dial-up connection.
    void AutodialHangup();
    /// Causes the modem to automatically dial the default Internet connection.
    bool Autodial(qint32 hwndParentWindow, qint32 lOption, bool bFailIfSecurityCheck = false);
    /// Refresh the class data.
    void Refresh();

    bool IsConnected() const { return m_IsConnected; }
    /// Name of the active connection.
    QString ConnectionName() const { return m_ConnectionName; }
    /// Local system has a valid connection to the Internet, but it may or may not be currently connected.
    bool IsConnectionConfigured() const { return m_IsConnectionConfigured; }
    /// Local system is in offline mode.
    bool IsOffline() const { return m_IsOffline; }
    /// Local system has RAS installed.
    bool IsRasInstalled() const { return m_IsRasInstalled; }
    /// Local system uses a proxy server to connect to the Internet.
    bool UseProxy() const { return m_UseProxy; }
    /// Local system uses a local area network to connect to the Internet.
    bool UseLAN() const { return m_UseLAN; }
    /// Local system uses a modem to connect to the Internet.
    bool UseModem() const { return m_UseModem; }

    // System message text for an errno-style code; empty when it has none.
    static QString GetWinApiDesc(qint32 lErrNumber);

private:
    void ProcessError(const QString& name, const NetResult& failure) const;

    std::shared_ptr<ConnectionBackend> m_backend;
    bool m_UseModem = false;
    bool m_UseLAN = false;
    bool m_UseProxy = false;
    bool m_IsRasInstalled = false;
    bool m_IsOffline = false;
    bool m_IsConnectionConfigured = false;
    QString m_ConnectionName;
    bool m_IsConnected = false;
    quint32 m_ConnectionNumber = 0;
};
