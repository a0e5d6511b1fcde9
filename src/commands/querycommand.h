// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs `--query [HOST[:PORT]]`: asks a time server once and prints the UTC
// time, the lag and the server that answered; never sets the clock. Returns
// the exit code.
int runQueryCommand(int argc, char** argv);
