// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "net/connectionbackend.h"
#include "net/internetflags.h"

// A backend whose answers a test sets and whose calls it can inspect; for the
// decoding done above the backend, not for the backends themselves.
class FakeBackend : public ConnectionBackend
{
public:
    ConnectedState state;
    NetResult dialResult = NetResult::success();
    QStringList entries;
    // A successful dial brings a modem connection up; hanging it up takes it down.
    bool dialConnects = false;

    QList<quint32> hungUpNumbers;
    QStringList dialledEntries;

    ConnectedState connectedState() override { return state; }
    NetResult dial(const QString& entryName, qint32, quint32& connectionNumber) override
    {
        dialledEntries.append(entryName);
        if (dialResult.ok)
            connectionNumber = 7;
        if (dialResult.ok && dialConnects)
            state = {NetResult::success(), state.flags | InternetFlags::Modem, entryName};
        return dialResult;
    }
    NetResult hangUp(quint32 connectionNumber) override
    {
        hungUpNumbers.append(connectionNumber);
        if (connectionNumber != 7)
            return NetResult::failure(9);
        if (dialConnects)
            state = {NetResult::failure(), state.flags & ~quint32(InternetFlags::Modem), {}};
        return NetResult::success();
    }
    NetResult autodial(qint32) override { return NetResult::success(); }
    NetResult autodialHangup() override { return NetResult::success(); }
    NetResult setGlobalOnline(bool) override { return NetResult::success(); }
    NetResult goOnline(const QString&) override { return NetResult::success(); }
    QStringList dialUpEntries() override { return entries; }
};
