#pragma once

#include <QString>

// A failure of a Reminders operation, shown to the user by its description. Errors raised by the
// bridge itself carry the domain "Slate"; a store's own errors keep the store's domain.
struct ReminderError {
    QString domain;
    int code = 0;
    QString description;
};

namespace SlateError {

inline const QString domain = QStringLiteral("Slate");

// Code 1: the Reminders store may not be read or written. The description opens with
// "未获得提醒事项访问权限", which callers match, and goes on with the store's `reason`.
ReminderError noAccess(const QString &reason);
// Code 2: the target list is missing and there is no account to create it in.
ReminderError noAccount();

} // namespace SlateError
