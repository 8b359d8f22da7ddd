#include "ui/DueNotifications.h"

#include "bridges/notifications/NotificationService.h"
#include "core/HorizontalSpace.h"
#include "data/TaskStore.h"

#include <QSet>

namespace DueNotifications {

void scheduleAdded(const SharedObjects &shared, const QString &listName, const QStringList &titles)
{
    const std::optional<TaskList> list = shared.store.list(listName);
    if (!list)
        return;
    QSet<QString> stored;
    for (const QString &title : titles)
        stored.insert(trimHorizontalSpace(title));
    for (const TaskItem &task : list->tasks) {
        if (!task.done && task.due && stored.contains(task.title))
            shared.notify.schedule(task.id, task.title, listName, *task.due);
    }
}

} // namespace DueNotifications
