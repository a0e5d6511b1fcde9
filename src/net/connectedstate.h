// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/netresult.h"

#include <QString>

// Answer to "are we connected, and how": result.ok is the connected state,
// flags is the InternetFlags word, name the active connection's name.
struct ConnectedState
{
    NetResult result;
    quint32 flags = 0;
    QString name;
    // The system has itself checked that the Internet can be reached (for
    // NetworkManager: global connectivity), so no web site need be opened.
    bool reachesInternet = false;
};
