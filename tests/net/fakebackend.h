#pragma once

#include "net/connectionbackend.h"

// A backend whose answers a test sets and whose calls it can inspect; for the
// decoding done above the backend, not for the backends themselves.
class FakeBackend : public ConnectionBackend
{
public:
    ConnectedState state;
    NetResult dialResult = NetResult::success();
    quint32 numberToHandOut = 7;
    NetResult autodialResult = NetResult::success();
    NetResult onlineResult = NetResult::success();
    QStringList entries;

    int dialCalls = 0;
    qint32 lastDialFlags = -1;
    QString lastDialName;
    QList<quint32> hungUpNumbers;
    int autodialCalls = 0;
    int autodialHangupCalls = 0;

    ConnectedState connectedState() override { return state; }
    NetResult dial(const QString& entryName, qint32 flags, quint32& connectionNumber) override
    {
        ++dialCalls;
        lastDialName = entryName;
        lastDialFlags = flags;
        if (dialResult.ok)
            connectionNumber = numberToHandOut;
        return dialResult;
    }
    NetResult hangUp(quint32 connectionNumber) override
    {
        hungUpNumbers.append(connectionNumber);
        return connectionNumber == numberToHandOut ? NetResult::success() : NetResult::failure(9);
    }
    NetResult autodial(qint32) override
    {
        ++autodialCalls;
        return autodialResult;
    }
    NetResult autodialHangup() override
    {
        ++autodialHangupCalls;
        return NetResult::success();
    }
    NetResult setGlobalOnline(bool) override { return onlineResult; }
    NetResult goOnline(const QString&) override { return onlineResult; }
    QStringList dialUpEntries() override { return entries; }
};
