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
};
