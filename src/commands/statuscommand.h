// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs `--status`: prints what an update would find, changing nothing.
// Returns the exit code.
int runStatusCommand(int argc, char** argv);
