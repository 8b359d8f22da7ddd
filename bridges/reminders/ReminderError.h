#pragma once

#include <QString>

// A failure of a Reminders operation, shown to the user by its description. Errors raised by the
// bridge itself carry the domain "Slate"; a store's own errors keep the store's domain, and their
// code is one of the domain's `Code` values (or, from another library, that library's own).
struct ReminderError {
    QString domain;
    int code = 0;
    QString description;
};

namespace SlateError {

inline const QString domain = QStringLiteral("Slate");

enum Code { NoAccess = 1, NoAccount };

// The Reminders store may not be read or written. The description opens with
// "未获得提醒事项访问权限", which callers match, and goes on with the store's `reason`.
ReminderError noAccess(const QString &reason);
// The target list is missing and there is no account to create it in.
ReminderError noAccount();

} // namespace SlateError
