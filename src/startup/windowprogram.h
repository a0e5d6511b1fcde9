// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window program, korvel-window: a program of its own so that `korvel`
// links Qt Core alone and an unattended start that leaves at once loads none
// of the libraries the window needs.
namespace WindowProgram {

// Replaces this process with the window program, keeping the arguments (and
// so the process id, which desktops and scripts may hold). Returns only when
// that failed, after saying why on stderr: the exit code.
int exec(char** argv);

} // namespace WindowProgram
