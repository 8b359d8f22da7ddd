#pragma once

#include "ui/SharedObjects.h"
#include "ui/import/WriteRequest.h"

#include <QString>
#include <functional>

// The two ways the import screen writes its ticked entries, kept apart from the widgets. Each
// ends with the status line to show, and records the write in the history when the settings
// keep one.
namespace ImportWrite {

// Into the app's own lists, at once: add to the store, then schedule a due notification for
// each open, dated entry of the list that this save covers (a title skipped as already present
// is scheduled again).
QString saveToApp(const SharedObjects &shared, const WriteRequest &request);

// Into the Reminders store. `showStatus` gets the final status on the main thread; the history
// record and opening Reminders afterwards do not depend on anyone still listening.
void writeToReminders(const SharedObjects &shared, const WriteRequest &request,
                      std::function<void(const QString &status)> showStatus);

} // namespace ImportWrite
