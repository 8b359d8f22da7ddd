#pragma once

#include <QLoggingCategory>

// "slatebook.app": the process itself: clean-up at start, signals, work still running at the end.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
