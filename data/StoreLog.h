#pragma once

#include <QLoggingCategory>

// "slatebook.store": the task and history files, kept-aside files, failed saves. Debug output is
// off by default (QT_LOGGING_RULES="slatebook.store.debug=true" turns it on).
Q_DECLARE_LOGGING_CATEGORY(lcStore)
