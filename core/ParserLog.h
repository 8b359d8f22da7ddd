#pragma once

#include <QLoggingCategory>

// The parser's trace, one "[parse] " line per line it reads. A category of its own rather than
// slatebook.ocr: the parser also reads text that no image produced (a re-parse of edited text),
// and its one line per input line would bury recognition's stage timings when both are on.
// QT_LOGGING_RULES="slatebook.parser.debug=true" turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcParser)
