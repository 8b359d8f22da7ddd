#include "app/cli/CliLog.h"

Q_LOGGING_CATEGORY(lcCli, "slatebook.cli", QtInfoMsg)
