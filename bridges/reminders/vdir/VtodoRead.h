#pragma once

#include "bridges/reminders/ReminderStore.h"

#include <QByteArray>
#include <optional>

// The reminder that a .ics file of a list folder holds; nothing when the bytes hold none (not
// iCalendar, no VTODO, no UID), so one bad file never keeps the others from loading.
std::optional<ReminderItem> readReminderFile(const QByteArray &bytes, const QString &listId,
                                             const QString &location);
