// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Every blocking wait in Korvel goes through here. While it waits it lets
// pending events other than user input run at least every slice, so the
// window repaints and the clock face ticks, while no click can start a
// second operation inside the first.
namespace EventSlice {
constexpr int SliceMsecs = 100;

// Runs the pending events other than user input once (nothing without an
// application object).
void letEventsRun();

// Waits until done() is true or timeoutMsecs have passed; returns done().
// Between checks `block(msecs)` waits for the awaited thing itself for at
// most one slice; without it the event loop sleeps until an event comes.
bool waitUntil(const std::function<bool()>& done, int timeoutMsecs,
               const std::function<void(int msecs)>& block = {});

// waitUntil for a wait that lasts as long as a person takes to answer a
// dialog: user input runs too, so the window can still be used and closed.
// The caller disables whatever must not start again meanwhile.
bool waitTakingInput(const std::function<bool()>& done, int timeoutMsecs);

// Waits until the descriptor shows `events` (poll flags). Returns poll's
// revents, 0 after the time-out, -1 on an error.
int waitForDescriptor(int fd, short events, int timeoutMsecs);

// Lets events run for `msecs` and returns.
void pause(int msecs);
} // namespace EventSlice
