// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

// Runs the commands `korvel` answers itself: --help and --version, and the
// usage with exit code 2 for an argument that looks like an option Korvel
// does not know. Returns the exit code when it handled the command line,
// nothing when the command line belongs to --history, to the window program
// (--query, --status) or to the window's own words, such as "Load 1".
std::optional<int> runCommandLineCommand(int argc, char** argv);

// True for `--query [HOST[:PORT]]` and `--status`, which the window program
// runs: they need the time client, D-Bus and Qt Network.
bool asksForWindowProgramCommand(int argc, char** argv);
