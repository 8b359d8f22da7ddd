#pragma once

#include <QString>
#include <optional>

// Ends a command-line run: writes the result text to the result file and ends the process with
// status 0. Callable from any thread; only the first call writes and exits, any later or
// concurrent call waits for the process to end, so a result is never written twice or torn.
class CliFinish {
public:
    explicit CliFinish(QString resultFile);
    // The same finish, with `note` on a line of its own after the result text.
    CliFinish withNote(const std::optional<QString> &note) const;

    [[noreturn]] void operator()(const QString &text) const;

private:
    QString m_resultFile;
    QString m_note;
};
