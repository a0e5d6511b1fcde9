#pragma once

// Runs `--status`: prints what an update would find, changing nothing.
// Returns the exit code.
int runStatusCommand(int argc, char** argv);
