#pragma once

#include <QLoggingCategory>

// Diagnostics of the Reminders bridge and its stores, "slatebook.reminders": debug output is
// off unless QT_LOGGING_RULES enables it, so command-line mode prints nothing.
Q_DECLARE_LOGGING_CATEGORY(lcReminders)
