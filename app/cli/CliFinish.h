#pragma once

#include <QString>

// Ends a command-line run: writes the result text to the result file and ends the process with
// status 0. Callable from any thread; only the first call writes and exits, any later or
// concurrent call waits for the process to end, so a result is never written twice or torn.
class CliFinish {
public:
    explicit CliFinish(QString resultFile);

    [[noreturn]] void operator()(const QString &text) const;

private:
    QString m_resultFile;
};
