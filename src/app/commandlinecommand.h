#pragma once

#include <optional>

// Runs the commands `korvel` answers itself: --help and --version. Returns
// the exit code when it handled the command line, nothing when the command
// line belongs to the window program (--query, --status, the window's own arguments and
// arguments it does not know).
std::optional<int> runCommandLineCommand(int argc, char** argv);

// True for `--query [HOST[:PORT]]` and `--status`, which the window program
// runs: they need the time client, D-Bus and Qt Network.
bool asksForWindowProgramCommand(int argc, char** argv);
