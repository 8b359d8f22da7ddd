#pragma once

#include <QLoggingCategory>

// The desktop services' diagnostics (file manager, screenshot portal); off by default, enabled
// with QT_LOGGING_RULES="slatebook.desktop.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
