// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs the window program: takes the start-up decision `korvel` handed over
// (or applies the start-up rule before any display is touched), then builds
// and loads the main window. Returns the exit code.
int runWindow(int argc, char** argv);
