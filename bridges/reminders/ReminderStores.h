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

// Whether the desktop's task service (the EDS registry) runs on the session bus, as on every
// GNOME session, and answers a connection; `done` runs on the main thread, unless
// `context` is gone by then. Never starts the service just to ask: where nothing runs it, the
// choice is not offered (and a test's private bus starts no EDS in the user's home).
void probeDesktopTasks(QObject *context, std::function<void(bool answers)> done);

} // namespace ReminderStores
