#pragma once

#include "bridges/reminders/ReminderStore.h"
#include "data/AppSettings.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

// The one place that chooses where the 提醒事项 are kept, for the window and command-line mode
// alike.
namespace ReminderStores {

std::shared_ptr<ReminderStore> make(AppSettings::ReminderStore kind);
// The store the settings name ("提醒事项存储"); a setting that names no store is logged and
// gives the folder.
std::shared_ptr<ReminderStore> chosen();
// A line saying that the setting names no store and which one is used instead; nothing when
// it names one.
std::optional<QString> fallbackNote();
// "本机文件夹" or "桌面任务 (Evolution)".
QString title(AppSettings::ReminderStore kind);

// Whether the desktop's task lists can be offered: EDS's services run on the session bus, or
// D-Bus can start them, and GSettings knows what EDS's registry needs. `done` runs on the main
// thread, unless `context` is gone by then. Never starts the service just to ask.
void probeDesktopTasks(QObject *context, std::function<void(bool offered)> done);

} // namespace ReminderStores
