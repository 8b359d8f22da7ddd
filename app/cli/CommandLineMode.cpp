#include "app/cli/CommandLineMode.h"

#include "app/cli/AppListActions.h"
#include "app/cli/CliFinish.h"
#include "app/cli/CliLog.h"
#include "app/cli/CliPaths.h"
#include "app/cli/CliTexts.h"
#include "app/cli/OcrAction.h"
#include "app/cli/RemindersListActions.h"
#include "bridges/reminders/RemindersService.h"
#include "data/DataFolder.h"
#include "data/TaskStore.h"

void runCommandLineTask(const CliTask &task)
{
    qCDebug(lcCli) << "task" << task.action << "target"
                   << task.target.value_or(QStringLiteral("app")) << "list"
                   << task.list.value_or(QString()) << "items"
                   << task.items.value_or(QStringList()).size();
    const CliFinish finish(CliPaths::resultFile());
    // The task store and the Reminders bridge of this one task, both made before any action runs.
    TaskStore store(DataFolder::path());
    const RemindersService reminders;

    if (task.action == QLatin1String("ocr"))
        finish(runOcrAction(task));

    if (task.action == QLatin1String("dump") || task.action == QLatin1String("write") ||
        task.action == QLatin1String("delete")) {
        if (task.targetsReminders())
            runRemindersListAction(task, reminders, finish);
        finish(runAppListAction(task, store));
    }

    finish(CliTexts::unknownAction(task.action));
}
