// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "startup/startuprule.h"

#include <optional>

// Carries the start-up decision from `korvel` to the window program it
// starts, in the environment, so the rule runs once per start: a second run
// would find a LastUpdate the first one may just have written.
namespace StartupHandoff {

// Puts the state in this process's environment, for the program exec'd next.
void pass(const StartupState& state);

// The state `korvel` passed (without the last-update text, which the window
// reads from the settings), removed from the environment so that no program
// Korvel starts inherits it; nothing when none was passed or it is damaged.
std::optional<StartupState> take();

} // namespace StartupHandoff
