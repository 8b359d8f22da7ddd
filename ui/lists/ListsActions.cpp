#include "ui/lists/ListsActions.h"

#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "core/HorizontalSpace.h"
#include "data/AppSettings.h"
#include "ui/DueNotifications.h"
#include "ui/lists/ListsTexts.h"

#include <algorithm>

namespace ListsActions {

bool addEntry(const SharedObjects &shared, const QString &title, const QString &listName,
              const std::optional<QDateTime> &due)
{
    const QString trimmed = trimHorizontalSpace(title);
    if (trimmed.isEmpty())
        return false;
    shared.store.addTask(trimmed, due, listName);
    if (!due)
        return true;
    if (const std::optional<TaskList> list = shared.store.list(listName)) {
        for (const TaskItem &task : list->tasks) {
            if (task.title == trimmed) {
                shared.notify.schedule(task.id, trimmed, listName, *due);
                break;
            }
        }
    }
    return true;
}

void toggle(const SharedObjects &shared, const TaskItem &task, const QString &listName)
{
    const bool wasDone = task.done;
    shared.store.toggle(task.id, listName);
    if (wasDone && task.due)
        shared.notify.schedule(task.id, task.title, listName, *task.due);
    else if (!wasDone)
        shared.notify.cancel(task.id);
}

void deleteTask(const SharedObjects &shared, const QUuid &taskId, const QString &listName)
{
    shared.store.deleteTask(taskId, listName);
    shared.notify.cancel(taskId);
}

void deleteList(const SharedObjects &shared, const QString &name)
{
    if (const std::optional<TaskList> list = shared.store.list(name)) {
        for (const TaskItem &task : list->tasks)
            shared.notify.cancel(task.id);
    }
    shared.store.deleteList(name);
}

void exportList(const SharedObjects &shared, const QString &name,
                std::function<void(const QString &status)> showStatus)
{
    QList<ReminderEntry> entries;
    if (const std::optional<TaskList> list = shared.store.list(name)) {
        for (const TaskItem &task : list->tasks)
            entries.append({task.title, task.due});
    }
    shared.service.writeRaw(entries, name, shared.settings.dedupe(),
                            [showStatus = std::move(showStatus)](const WriteResult &result) {
                                if (const auto *error = std::get_if<ReminderError>(&result)) {
                                    showStatus(ListsTexts::exportFailed(error->description));
                                    return;
                                }
                                const auto &counts = std::get<WriteCounts>(result);
                                showStatus(ListsTexts::exported(counts.written, counts.skipped));
                            });
}

std::optional<QString> preferredSource(const QStringList &names)
{
    for (const QString &name : names) {
        if (name.contains(QStringLiteral("作业")))
            return name;
    }
    if (names.isEmpty())
        return std::nullopt;
    return names.first();
}

void importRows(const SharedObjects &shared, const QList<ReminderRow> &rows, const QString &target)
{
    // The store gives one due time to all the titles of an add: rows go in groups of equal due,
    // so each entry keeps its own reminder's due and an undated one stays undated.
    QList<std::pair<std::optional<QDateTime>, QStringList>> groups;
    QStringList titles;
    for (const ReminderRow &row : rows) {
        titles.append(row.title);
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&row](const auto &group) { return group.first == row.due; });
        if (group == groups.end())
            groups.append({row.due, {row.title}});
        else
            group->second.append(row.title);
    }
    const QString listName = trimHorizontalSpace(target);
    for (const auto &[due, groupTitles] : groups)
        shared.store.add(groupTitles, listName, due, ListsTexts::remindersSource());
    if (!shared.store.saveError())
        DueNotifications::scheduleAdded(shared, listName, titles);
}

} // namespace ListsActions
