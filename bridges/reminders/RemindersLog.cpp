#include "bridges/reminders/RemindersLog.h"

Q_LOGGING_CATEGORY(lcReminders, "slatebook.reminders", QtInfoMsg)
