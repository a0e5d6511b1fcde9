#pragma once

#include <functional>

// Blocking waits in Korvel keep the window alive: while they wait they let
// pending events other than user input run, waking at least every slice, so
// the window repaints and the clock ticks while no click can start a second
// operation.
namespace EventSlice {
constexpr int SliceMsecs = 100;

// Waits until done() is true or timeoutMsecs have passed; returns done().
bool waitUntil(const std::function<bool()>& done, int timeoutMsecs);
} // namespace EventSlice
