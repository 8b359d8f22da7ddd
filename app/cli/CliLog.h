#pragma once

#include <QLoggingCategory>

// "slatebook.cli": command-line intake and results. Command-line mode prints nothing unless
// QT_LOGGING_RULES="slatebook.cli.debug=true" turns this on.
Q_DECLARE_LOGGING_CATEGORY(lcCli)
