#include "bridges/desktop/DesktopLog.h"

Q_LOGGING_CATEGORY(lcDesktop, "slatebook.desktop", QtInfoMsg)
