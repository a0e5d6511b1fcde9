// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// The milliseconds each step of the start takes, for the benchmark: logged
// at debug level (QT_LOGGING_RULES="korvel.app.debug=true"), silent otherwise.
class StartSteps
{
public:
    // Says that `step` is done, how long it took since the previous step
    // (none before the first, at main) and the resident memory now.
    static void done(const char* step);
    // Says `step` is done once `window` is first painted in full.
    static void doneWhenPainted(QWidget& window, const char* step);
};
