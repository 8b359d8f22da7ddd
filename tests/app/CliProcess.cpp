#include "CliProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

CliProcess::CliProcess(const TempHome &home) : m_home(home) { }

void CliProcess::createToolsFolder() const
{
    QDir().mkpath(toolsFolder());
}

void CliProcess::writeDropFile(const QByteArray &json) const
{
    createToolsFolder();
    QFile file(dropFile());
    if (file.open(QIODevice::WriteOnly))
        file.write(json);
}

CliOutcome CliProcess::run(const QStringList &arguments, int waitMs, const QString &program) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);

    CliOutcome outcome;
    outcome.finished = process.waitForStarted() && process.waitForFinished(waitMs);
    if (outcome.finished) {
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    } else {
        process.kill();
        process.waitForFinished();
    }
    // Kept for the test, and shown in its log as if forwarded.
    outcome.output = process.readAll();
    std::fwrite(outcome.output.constData(), 1, size_t(outcome.output.size()), stderr);

    QFile result(resultFile());
    if (result.open(QIODevice::ReadOnly))
        outcome.result = QString::fromUtf8(result.readAll());
    return outcome;
}

std::optional<QString> CliProcess::runTask(const QByteArray &json) const
{
    writeDropFile(json);
    const CliOutcome outcome = run({});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0);
    return outcome.result;
}
