#pragma once

#include <optional>

// Runs the commands `korvel` answers itself: --help and --version. Returns
// the exit code when it handled the command line, nothing when the command
// line belongs to the window program (--query, the window's own arguments and
// arguments it does not know).
std::optional<int> runCommandLineCommand(int argc, char** argv);

// True for `--query [HOST[:PORT]]`, which the window program runs: it needs
// the time client, which links Qt Network.
bool asksForQuery(int argc, char** argv);
