// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "net/connectcommands.h"

#include "net/cnetconnect.h"
#include "net/connectionerror.h"
#include "net/cwininetconnection.h"
#include "net/internetflags.h"
#include "net/netlog.h"

namespace ConnectCommands {

LocalizedText connectStatusLine(bool connected, const QString& connectModeDesc)
{
    return connected ? LocalizedText::translate("Connection", "Status: Connected - %1")
                           .arg(LocalizedText::marked("Connection", connectModeDesc))
                     : LocalizedText::translate("Connection", "Status: No Connection Found");
}

LocalizedText disconnectStatusLine(bool hungUp)
{
    return hungUp ? LocalizedText::translate("Connection", "Status: Disconnected")
                  : LocalizedText::translate("Connection", "I can only disconnect from connections I made.");
}

LocalizedText noRasStatusLine()
{
    return LocalizedText::translate("Connection", "Status: NO RAS",
                                    "no dial-up service (remote access) on this PC");
}

ConnectOutcome connect(CWinInetConnection& connection, CNetConnect& netConnect, const QString& entryName)
{
    bool dialled = false;
    try {
        dialled = connection.Dial(0, entryName, InternetFlags::DialUnattended);
    } catch (const ConnectionError& error) {
        qCInfo(lcNet) << error.source() << error.description();
    }
    const CNetConnect::Reading reading = netConnect.Read();
    return {connectStatusLine(reading.connected, reading.modeDesc), !reading.connected, dialled};
}

DisconnectOutcome disconnect(CWinInetConnection& connection)
{
    const bool hungUp = connection.HangUp().toBool();
    return {disconnectStatusLine(hungUp), hungUp};
}

} // namespace ConnectCommands
