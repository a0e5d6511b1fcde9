// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/connectedstate.h"
#include "net/netresult.h"

#include <QStringList>

// What the connection wrapper and the probe need from the system. One backend
// per way of managing connections; BackendSelector picks the one that fits.
class ConnectionBackend
{
public:
    virtual ~ConnectionBackend() = default;

    virtual ConnectedState connectedState() = 0;
    // Brings up the dial-up entry named entryName; on success connectionNumber
    // identifies the connection for hangUp.
    virtual NetResult dial(const QString& entryName, qint32 flags, quint32& connectionNumber) = 0;
    // Takes down only a connection that dial() brought up.
    virtual NetResult hangUp(quint32 connectionNumber) = 0;
    // Connects with the system's default dial-up entry unless already online.
    virtual NetResult autodial(qint32 flags) = 0;
    virtual NetResult autodialHangup() = 0;
    virtual NetResult setGlobalOnline(bool online) = 0;
    // Makes sure the system is online before url is opened.
    virtual NetResult goOnline(const QString& url) = 0;
    // Names of the dial-up entries in the system's order; empty when there are none.
    virtual QStringList dialUpEntries() = 0;
};
