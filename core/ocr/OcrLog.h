#pragma once

#include <QLoggingCategory>

// Recognition's diagnostics: why an image gave no lines, and how long each stage took. Off by
// default so the command-line mode prints nothing; QT_LOGGING_RULES="slatebook.ocr.debug=true"
// turns it on.
Q_DECLARE_LOGGING_CATEGORY(lcOcr)
