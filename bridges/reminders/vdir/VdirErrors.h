#pragma once

#include "bridges/reminders/ReminderError.h"

// The folder store's own failures, in the domain "ReminderFolder". Each names the file or folder
// concerned, so the user can look at it.
namespace VdirErrors {

inline const QString domain = QStringLiteral("ReminderFolder");

ReminderError cannotWrite(const QString &path);
ReminderError cannotRemove(const QString &path);
ReminderError listMissing(const QString &folder);
ReminderError reminderChanged(const QString &file);
ReminderError unreadableParts(const QString &file);

} // namespace VdirErrors
