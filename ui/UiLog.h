#pragma once

#include <QLoggingCategory>

// The window's diagnostics ("slatebook.ui"), off below info so a normal run prints nothing;
// QT_LOGGING_RULES="slatebook.ui.debug=true" shows them.
Q_DECLARE_LOGGING_CATEGORY(lcUi)
