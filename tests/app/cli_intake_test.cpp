// The executable as a batch tool: task intake, the "ocr" action and the result file.
#include "CliProcess.h"
#include "WindowProcess.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString printPhoto = TestPaths::data(QStringLiteral("03-print-photo.jpg"));

} // namespace

TEST(CliIntake, OcrFromDropFileAndFromFlagGiveTheSameReport)
{
    TempHome home;
    CliProcess cli(home);
    cli.writeDropFile(QStringLiteral(R"({"action":"ocr","path":"%1"})").arg(printPhoto).toUtf8());

    const CliOutcome fromDrop = cli.run({});
    ASSERT_TRUE(fromDrop.finished);
    EXPECT_EQ(fromDrop.exitCode, 0);
    EXPECT_FALSE(QFile::exists(cli.dropFile())) << "the drop file is consumed";
    ASSERT_TRUE(fromDrop.result);
    const QString report = *fromDrop.result;
    EXPECT_TRUE(report.startsWith("== OCR 6 行 ==\n")) << report.toStdString();
    EXPECT_TRUE(report.contains("\n\n== 解析 7 条 ==\n清单名: 4.2作业\n")) << report.toStdString();
    EXPECT_TRUE(report.contains("\n  [数学] P45 1-6题\n")) << report.toStdString();
    EXPECT_TRUE(report.endsWith("  [历史] 复习第5课\n")) << report.toStdString();

    QFile::remove(cli.resultFile());
    const CliOutcome fromFlag = cli.run({"--ocr", printPhoto, "ignored"});
    EXPECT_EQ(fromFlag.exitCode, 0);
    EXPECT_EQ(fromFlag.result, report);
}

TEST(CliIntake, NoTaskOpensTheWindowAndWritesNothing)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    TestSessionBus bus;
    const QString runtime = makeRuntimeFolder(home.path() + "/runtime");
    const struct {
        const char *name;
        QStringList arguments;
    } rows[] = {
        {"an invalid drop file, consumed all the same", {}},
        {"a flag without its value", {"--ocr"}},
        {"an unreadable task file", {"--write", home.path() + "/missing.json"}},
        {"an unknown flag", {"--list", "作业"}},
    };
    for (const auto &row : rows) {
        if (row.arguments.isEmpty())
            cli.writeDropFile("{not json");
        WindowProcess window(bus, runtime, home.path(), row.arguments);
        EXPECT_TRUE(window.waitForWindow()) << row.name;
        EXPECT_FALSE(QFile::exists(cli.dropFile())) << row.name;
        EXPECT_FALSE(QFile::exists(cli.resultFile())) << row.name;
    }
}

TEST(CliIntake, MissingToolsFolderIsNeverCreatedAndTheRunStillEnds)
{
    TempHome home;
    CliProcess cli(home);
    const CliOutcome outcome = cli.run({"--ocr", home.path() + "/missing.jpg"});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(QFileInfo::exists(cli.toolsFolder()));
    EXPECT_TRUE(QFileInfo(home.dataFolder()).isDir())
        << "the data folder is created at every start";
}
