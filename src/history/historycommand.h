// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// `korvel --history`: the recorded updates as an aligned table on standard
// output, the drift last; `korvel --history --csv`: the history file as it
// is. Neither needs a display; both exit 0 with an empty history.
namespace HistoryCommand {

bool asks(int argc, char** argv);
// The exit code: 0, or 1 when the history cannot be read.
int run(int argc, char** argv);

} // namespace HistoryCommand
