#pragma once

#include "app/cli/CliFinish.h"

#include <chrono>
#include <functional>

// Runs a callback-based action: the work starts on a background thread with the finish
// operation, while the main thread serves the event loop until the deadline. If the work has
// not finished by then, the result is the time-out error.
constexpr std::chrono::milliseconds cliActionDeadline = std::chrono::seconds(150);

[[noreturn]] void runAsync(const std::function<void(const CliFinish &)> &work,
                           const CliFinish &finish,
                           std::chrono::milliseconds deadline = cliActionDeadline);
