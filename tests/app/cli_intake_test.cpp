// The executable as a batch tool: task intake, the "ocr" action and the result file.
#include "CliProcess.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString printPhoto = TestPaths::data(QStringLiteral("03-print-photo.jpg"));

// A run that stays up this long has opened its window.
constexpr int windowWaitMs = 2500;

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

    // An invalid drop file is still consumed, and the window opens as usual.
    cli.writeDropFile("{not json");
    CliOutcome outcome = cli.run({}, windowWaitMs);
    EXPECT_FALSE(outcome.finished) << "window mode keeps running";
    EXPECT_FALSE(QFile::exists(cli.dropFile()));
    EXPECT_FALSE(outcome.result);

    for (const QStringList &arguments : {
             QStringList{"--ocr"},                                  // flag without its value
             QStringList{"--write", home.path() + "/missing.json"}, // unreadable task file
             QStringList{"--list", "作业"},                         // unknown flag
         }) {
        outcome = cli.run(arguments, windowWaitMs);
        EXPECT_FALSE(outcome.finished) << arguments.join(' ').toStdString();
        EXPECT_FALSE(outcome.result);
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
