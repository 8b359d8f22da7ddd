#pragma once

#include "app/cli/CliTask.h"

// Carries out one task under a QCoreApplication, writes the result file and ends the process
// with status 0. Never returns.
[[noreturn]] void runCommandLineTask(const CliTask &task);
