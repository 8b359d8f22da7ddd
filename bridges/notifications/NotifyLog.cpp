#include "bridges/notifications/NotifyLog.h"

Q_LOGGING_CATEGORY(lcNotify, "slatebook.notify", QtInfoMsg)
