// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "base/localizedtext.h"

class CNetConnect;
class CWinInetConnection;

// The Connect and Disconnect commands without their window: each returns
// the status line to add and what to do with the buttons.
namespace ConnectCommands {

struct ConnectOutcome
{
    LocalizedText statusLine;
    bool connectEnabled = true;
    // This program dialled the connection, so it may hang it up again.
    bool dialled = false;
};

struct DisconnectOutcome
{
    LocalizedText statusLine;
    bool hungUp = false;
};

// Line for the state the probe finds after a Connect.
LocalizedText connectStatusLine(bool connected, const QString& connectModeDesc);
// Line for the outcome of a Disconnect.
LocalizedText disconnectStatusLine(bool hungUp);
// Line shown instead of the entry list when the system has no dial-up support.
LocalizedText noRasStatusLine();

// Dials entryName unattended (a failed dial is ignored), then reports what
// the probe sees: a connection that existed already counts as connected.
ConnectOutcome connect(CWinInetConnection& connection, CNetConnect& netConnect, const QString& entryName);
// Hangs up a connection this program dialled; any other cannot be hung up.
DisconnectOutcome disconnect(CWinInetConnection& connection);

} // namespace ConnectCommands
