#pragma once

#include "support/TempHome.h"
#include "support/TestPaths.h"

#include <QString>
#include <QStringList>
#include <optional>

// Runs the built executable as the driving program would, in the given temporary home.
struct CliOutcome {
    bool finished = false; // false: still running when the wait ended (window mode); it was killed
    int exitCode = -1;
    std::optional<QString> result; // the result file's text, when there is one
    QByteArray output;             // what it printed, standard output and error together
};

class CliProcess {
public:
    explicit CliProcess(const TempHome &home);

    QString toolsFolder() const { return m_home.toolsFolder(); }
    QString resultFile() const { return toolsFolder() + "/cli_result.txt"; }
    QString dropFile() const { return toolsFolder() + "/pending.json"; }

    // Creates the tools folder, as the driving program has it.
    void createToolsFolder() const;
    void writeDropFile(const QByteArray &json) const;

    CliOutcome run(const QStringList &arguments, int waitMs = 60000,
                   const QString &program = TestPaths::slatebook()) const;
    // Leaves `json` as the drop file, runs the executable without arguments and returns the
    // result file's text; the run must end by itself with status 0.
    std::optional<QString> runTask(const QByteArray &json) const;

private:
    const TempHome &m_home;
};
