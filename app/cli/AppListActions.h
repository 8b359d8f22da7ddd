#pragma once

#include "app/cli/CliTask.h"
#include "data/TaskStore.h"

#include <QString>

// Carries out a command-line "dump", "write" or "delete" on the app's own lists (any target but
// "reminders") and returns the result text for the result file.
QString runAppListAction(const CliTask &task, TaskStore &store);
