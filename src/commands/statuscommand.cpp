// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/statuscommand.h"

#include "commands/statusreport.h"
#include "options/optionstore.h"

#include <QCoreApplication>
#include <QTextStream>

int runStatusCommand(int argc, char** argv)
{
    // The connectivity test's web requests need an event loop's objects.
    const QCoreApplication app(argc, argv);
    OptionStore store;
    QTextStream out(stdout);
    for (const QString& line : StatusReport::lines(StatusReport::gather(store)))
        out << line << Qt::endl;
    return 0;
}
