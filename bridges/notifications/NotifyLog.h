#pragma once

#include <QLoggingCategory>

// Diagnostics of the due notifications, "slatebook.notify": debug output is off unless
// QT_LOGGING_RULES enables it.
Q_DECLARE_LOGGING_CATEGORY(lcNotify)
