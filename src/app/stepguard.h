#pragma once

#include <functional>

// Runs one step of a handler that goes on when a step fails: a failure is
// logged and the handler carries on with its next step.
namespace StepGuard {
void run(const char* step, const std::function<void()>& body);
}
