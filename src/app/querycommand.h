#pragma once

// Runs `--query [HOST[:PORT]]`: asks a time server once and prints the UTC
// time, the lag and the server that answered; never sets the clock. Returns
// the exit code.
int runQueryCommand(int argc, char** argv);
