// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// korvel-window: the window, --query and --status, started by `korvel` (see
// startup/windowprogram.h).
#include "commands/querycommand.h"
#include "commands/statuscommand.h"
#include "history/historycommand.h"
#include "session/windowlauncher.h"
#include "startup/commandlinecommand.h"

#include <cstring>

int main(int argc, char** argv)
{
    // Started directly, it answers the command line as `korvel` does.
    if (const std::optional<int> exitCode = runCommandLineCommand(argc, argv))
        return *exitCode;
    if (argc >= 2 && std::strcmp(argv[1], "--query") == 0)
        return runQueryCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "--status") == 0)
        return runStatusCommand(argc, argv);
    if (HistoryCommand::asks(argc, argv))
        return HistoryCommand::run(argc, argv);
    return runWindow(argc, argv);
}
