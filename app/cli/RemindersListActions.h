#pragma once

#include "app/cli/CliFinish.h"
#include "app/cli/CliTask.h"
#include "bridges/reminders/RemindersService.h"

// Carries out a command-line "dump", "write" or "delete" on the Reminders store (target
// "reminders"): the bridge answers through callbacks, so the action runs through runAsync and
// ends the process with its result text. Never returns.
[[noreturn]] void runRemindersListAction(const CliTask &task, const RemindersService &reminders,
                                         const CliFinish &finish);
