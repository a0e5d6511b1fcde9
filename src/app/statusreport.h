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
    bool connected = false;
    QString connectionKind;
    bool networkManager = false;
    QStringList dialUpEntries;
    bool holdsClockCapability = false;
    TimedatedState timedated;
    QStringList timeServers;
    QString settingsFile;
    QList<QPair<QString, QString>> options;
    QString nextUpdate;
};

// Asks the system and the stored options; may take as long as the
// connectivity test's web sites.
Facts gather(OptionStore& store);
QStringList lines(const Facts& facts);
// When the next automatic update is due, from the stored options.
QString nextUpdate(OptionStore& store);

} // namespace StatusReport
