#pragma once

#include "bridges/reminders/ReminderStore.h"
#include "data/AppSettings.h"

#include <QObject>
#include <functional>
#include <memory>

// The one place that chooses where the 提醒事项 are kept, for the window and command-line mode
// alike.
namespace ReminderStores {

std::shared_ptr<ReminderStore> make(AppSettings::ReminderStore kind);
// The store the settings name ("提醒事项存储").
std::shared_ptr<ReminderStore> chosen();
// "本机文件夹" or "桌面任务 (Evolution)".
QString title(AppSettings::ReminderStore kind);

// Whether the desktop's task service (the EDS registry) answers on the session bus; `done` runs
// on the main thread, unless `context` is gone by then.
void probeDesktopTasks(QObject *context, std::function<void(bool answers)> done);

} // namespace ReminderStores
