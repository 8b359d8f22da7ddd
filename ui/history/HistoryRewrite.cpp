#include "ui/history/HistoryRewrite.h"

#include "data/TaskStore.h"
#include "ui/DueNotifications.h"
#include "ui/history/HistoryTexts.h"

namespace HistoryRewrite {

QString rewrite(const SharedObjects &shared, const HistoryRecord &record)
{
    const TaskStore::AddResult counts = shared.store.add(
        record.items, record.listName, std::nullopt, HistoryTexts::rewriteSource());
    DueNotifications::scheduleAdded(shared, record.listName, record.items);
    return HistoryTexts::rewritten(record.listName, counts.added);
}

} // namespace HistoryRewrite
