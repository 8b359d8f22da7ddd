#include "bridges/reminders/vdir/VdirLog.h"

Q_LOGGING_CATEGORY(lcVdir, "slatebook.reminders", QtInfoMsg)
