// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// `korvel`: answers --help, --version and --history, applies the start-up rule and, when
// Korvel stays, becomes the window program. Links Qt Core alone, so that an
// unattended start that leaves at once costs little more than a bare program.
#include "history/historycommand.h"
#include "options/optionstore.h"
#include "startup/commandline.h"
#include "startup/commandlinecommand.h"
#include "startup/startuphandoff.h"
#include "startup/startuprule.h"
#include "startup/windowprogram.h"

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = runCommandLineCommand(argc, argv))
        return *exitCode;
    if (HistoryCommand::asks(argc, argv))
        return HistoryCommand::run(argc, argv);
    if (!asksForWindowProgramCommand(argc, argv)) {
        OptionStore store;
        const StartupState startup =
            StartupRule::Form_Initialize(store, CommandLine::fromArguments(argc, argv));
        if (startup.leaveAtOnce)
            return 0;
        StartupHandoff::pass(startup);
    }
    return WindowProgram::exec(argv);
}
