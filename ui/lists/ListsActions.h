#pragma once

#include "bridges/reminders/ReminderRow.h"
#include "data/TaskStore.h"
#include "ui/SharedObjects.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What the lists screen does to the shared objects, apart from its widgets. The task store
// never talks to the notification service, so every change that affects a due time schedules or
// cancels here.
namespace ListsActions {

// Adds the trimmed title to the list; with a due time, (re)schedules the list's first entry of
// that title, so a title the list holds already gets the chosen time notified too. False, and
// nothing done, for a blank title.
bool addEntry(const SharedObjects &shared, const QString &title, const QString &listName,
              const std::optional<QDateTime> &due);

// Ticks or reopens the entry: a reopened dated entry is scheduled again, a ticked one cancelled.
void toggle(const SharedObjects &shared, const TaskItem &task, const QString &listName);

// Deletes the entry and cancels its notification. No confirmation.
void deleteTask(const SharedObjects &shared, const QUuid &taskId, const QString &listName);

// Cancels the notification of every entry of the list, done or open, then deletes the list.
void deleteList(const SharedObjects &shared, const QString &name);

// Writes every entry of the list, done ones too and in list order, to the Reminders list of the
// same name (with the dedupe setting); `showStatus` gets the status line on the main thread.
void exportList(const SharedObjects &shared, const QString &name,
                std::function<void(const QString &status)> showStatus);

// The Reminders list the import sheet opens on: the first name containing "作业", else the first.
std::optional<QString> preferredSource(const QStringList &names);

// Takes the rows over into the app list `target` (trimmed) as open entries with the source
// "提醒事项", each with its reminder's due time, and schedules the dated ones' notifications.
void importRows(const SharedObjects &shared, const QList<ReminderRow> &rows, const QString &target);

} // namespace ListsActions
