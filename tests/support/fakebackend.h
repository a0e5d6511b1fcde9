#pragma once

#include "net/connectionbackend.h"

// A backend whose answers a test sets and whose calls it can inspect; for the
// decoding done above the backend, not for the backends themselves.
class FakeBackend : public ConnectionBackend
{
public:
    ConnectedState state;
    NetResult dialResult = NetResult::success();
    QStringList entries;

    QList<quint32> hungUpNumbers;
    QStringList dialledEntries;

    ConnectedState connectedState() override { return state; }
    NetResult dial(const QString& entryName, qint32, quint32& connectionNumber) override
    {
        dialledEntries.append(entryName);
        if (dialResult.ok)
            connectionNumber = 7;
        return dialResult;
    }
    NetResult hangUp(quint32 connectionNumber) override
    {
        hungUpNumbers.append(connectionNumber);
        return connectionNumber == 7 ? NetResult::success() : NetResult::failure(9);
    }
    NetResult autodial(qint32) override { return NetResult::success(); }
    NetResult autodialHangup() override { return NetResult::success(); }
    NetResult setGlobalOnline(bool) override { return NetResult::success(); }
    NetResult goOnline(const QString&) override { return NetResult::success(); }
    QStringList dialUpEntries() override { return entries; }
};
