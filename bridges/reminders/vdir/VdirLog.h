#pragma once

#include <QLoggingCategory>

// The iCalendar folder's traces in "slatebook.reminders": files passed over, stale temporary
// files removed, changes that failed. Debug output is off by default.
Q_DECLARE_LOGGING_CATEGORY(lcVdir)
