#pragma once

#include "bridges/reminders/ReminderError.h"

// The folder store's own failures, in the domain "ReminderFolder". Each names the file or folder
// concerned, so the user can look at it.
namespace VdirErrors {

inline const QString domain = QStringLiteral("ReminderFolder");

ReminderError cannotWrite(const QString &path);
// `reason`: the system's words for why the file or folder could not be moved away.
ReminderError cannotRemove(const QString &path, const QString &reason);
ReminderError listMissing(const QString &folder);
ReminderError reminderChanged(const QString &file);
ReminderError unreadableParts(const QString &file);
ReminderError dueOutOfRange(const QString &file);

} // namespace VdirErrors
