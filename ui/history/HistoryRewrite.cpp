#include "ui/history/HistoryRewrite.h"

#include "bridges/notifications/NotificationService.h"
#include "data/TaskStore.h"
#include "ui/history/HistoryTexts.h"

#include <QSet>

namespace HistoryRewrite {

QString rewrite(const SharedObjects &shared, const HistoryRecord &record)
{
    const TaskStore::AddResult counts = shared.store.add(
        record.items, record.listName, std::nullopt, HistoryTexts::rewriteSource());
    if (const std::optional<TaskList> list = shared.store.list(record.listName)) {
        const QSet<QString> items(record.items.cbegin(), record.items.cend());
        for (const TaskItem &task : list->tasks) {
            if (!task.done && task.due && items.contains(task.title))
                shared.notify.schedule(task.id, task.title, record.listName, *task.due);
        }
    }
    return HistoryTexts::rewritten(record.listName, counts.added);
}

} // namespace HistoryRewrite
