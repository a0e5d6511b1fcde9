// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class CNetConnect;
class CWinInetConnection;
class ConnectionBackend;
class UpdateReport;

// The dial-up side of a run: the Connect and Disconnect commands, which the
// user presses and an update uses to dial and to hang up. It keeps the two
// buttons right across every dial and hang-up.
class DialUpSession
{
public:
    DialUpSession(std::shared_ptr<ConnectionBackend> backend, UpdateReport& report);
    ~DialUpSession();

    CNetConnect& netConnect() { return *m_netConnect; }
    CWinInetConnection& connection() { return *m_connection; }

    // Dials `entryName` and reports what the probe then sees. Whatever the
    // Connect button's state: automatic dialling comes through here too.
    void Connect(const QString& entryName);
    // Hangs up a connection Korvel dialled; any other is not Korvel's to end.
    // True when it hung up.
    bool Disconnect();
    // After an update with "Disconnect when done": hangs up quietly when
    // there is nothing of Korvel's to end.
    void HangUpAfterUpdate();
    // A connection was found up: Connect has nothing to do for now.
    void connectionFound();
    // Without dial-up support there is nothing to connect.
    void noDialUp();

private:
    void hungUp();
    // Tells the report how the two buttons stand now.
    void reportButtons();

    UpdateReport& m_report;
    std::unique_ptr<CNetConnect> m_netConnect;
    std::unique_ptr<CWinInetConnection> m_connection;
    bool m_connectEnabled = true;
    bool m_disconnectShown = false;
};
