#include "core/ParserLog.h"

Q_LOGGING_CATEGORY(lcParser, "slatebook.parser", QtInfoMsg)
