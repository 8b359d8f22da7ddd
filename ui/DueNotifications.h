#pragma once

#include "ui/SharedObjects.h"

#include <QString>
#include <QStringList>

// The task store never talks to the notification service: whatever adds entries to a list
// schedules their due notifications here.
namespace DueNotifications {

// Schedules a notification for each open, dated entry of `listName` whose title is one of
// `titles` as the store keeps it (trimmed of blanks), so a title skipped as already present is
// scheduled again and a row typed with trailing spaces is still notified.
void scheduleAdded(const SharedObjects &shared, const QString &listName, const QStringList &titles);

} // namespace DueNotifications
