#pragma once

// Command-line mode prints nothing: the driving program reads the result file, and a line on
// standard output or error (a libpng warning from Qt's image plugins, libpng's own error line) is
// noise to it. From this call on, every message goes to the log instead: a debug line of
// Slatebook's own categories shows where QT_LOGGING_RULES turned it on, and everything else (Qt's
// messages, and what libraries write to standard error themselves) where "slatebook.cli.debug"
// is on.
void sendMessagesToLog();
