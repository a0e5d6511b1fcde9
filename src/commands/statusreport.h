// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clockset/clocksetterselector.h"
#include "clockset/timedatedstate.h"

#include <QList>
#include <QPair>
#include <QStringList>

class OptionStore;

// `korvel --status`: why an update would or would not work, in a few plain
// lines, without changing anything.
namespace StatusReport {

struct Facts
{
    // Why the system bus is left out; empty when it answered or is absent.
    QString systemBusProblem;
    bool connected = false;
    QString connectionKind;
    bool networkManager = false;
    QStringList dialUpEntries;
    bool holdsClockCapability = false;
    TimedatedState timedated;
    QStringList timeServers;
    QString settingsFile;
    // Why the settings file could not be read; empty when it was (or is not there).
    QString settingsProblem;
    QList<QPair<QString, QString>> options;
    QString nextUpdate;
    // How fast the clock drifts, from the update history.
    QString drift;
};

// Asks the system and the stored options. The test web sites share a time
// limit and each is opened once, so the answer comes within 25 seconds
// whatever the network does.
Facts gather(OptionStore& store);
QStringList lines(const Facts& facts);
// When the next automatic update is due, from the stored options.
QString nextUpdate(OptionStore& store);

} // namespace StatusReport
