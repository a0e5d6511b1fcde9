// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The milliseconds each step of the start takes, for the benchmark: logged
// at debug level (QT_LOGGING_RULES="korvel.app.debug=true"), silent otherwise.
class StartSteps
{
public:
    // Says how long it has been since the previous step (or since the
    // program's main began) and that `step` is now done.
    static void done(const char* step);
};
