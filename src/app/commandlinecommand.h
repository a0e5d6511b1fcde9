#pragma once

#include <optional>

// Runs the commands that need no window: --help, --version and
// --query [HOST[:PORT]]. Returns the exit code when it handled the command
// line, nothing when the command line belongs to the window (including
// arguments it does not know).
std::optional<int> runCommandLineCommand(int argc, char** argv);
