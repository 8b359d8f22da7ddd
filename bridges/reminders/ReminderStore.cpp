#include "bridges/reminders/ReminderStore.h"

std::optional<ReminderError> ReminderStore::saveAndCommit(const ReminderItem &item)
{
    const std::unique_ptr<ReminderBatch> changes = batch();
    if (std::optional<ReminderError> error = changes->save(item))
        return error;
    return changes->commit();
}

std::optional<ReminderError> ReminderStore::removeAndCommit(const ReminderItem &item)
{
    const std::unique_ptr<ReminderBatch> changes = batch();
    if (std::optional<ReminderError> error = changes->remove(item))
        return error;
    return changes->commit();
}
