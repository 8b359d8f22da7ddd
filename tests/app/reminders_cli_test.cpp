// The executable's list actions with target "reminders", run as the driving program runs them.
#include "CliProcess.h"
#include "bridges/reminders_support.h"
#include "support/TestPaths.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace reminders_test;

namespace {

QString remindersRoot(const TempHome &home)
{
    return home.path() + "/.local/share/Slatebook/Reminders";
}

} // namespace

TEST(RemindersCli, WriteDumpAndDeleteGiveTheirResultTexts)
{
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    CliProcess cli(home);

    EXPECT_EQ(cli.runTask(
                  R"({"action":"write","target":"reminders","list":"作业","due":"2026-03-15T18:00",
                               "items":["数学｜P12","  语文｜背诵 ","\t"]})"),
              "SUCCESS: 已写入 2/3 条到提醒事项清单「作业」");
    EXPECT_EQ(cli.runTask(
                  R"({"action":"write","target":"reminders","list":"作业","due":"2026-03-15T18:00",
                               "items":["数学｜P12","  语文｜背诵 ","\t"]})"),
              "SUCCESS: 已写入 0/3 条到提醒事项清单「作业」（跳过 2 条已存在）");
    // No list means "作业"; a due time of another form means none, without an error.
    EXPECT_EQ(
        cli.runTask(
            R"({"action":"write","target":"reminders","due":"2026-03-15 18:00","items":["英语"]})"),
        "SUCCESS: 已写入 1/1 条到提醒事项清单「作业」");
    EXPECT_EQ(
        cli.runTask(R"({"action":"write","target":"reminders","list":"周末","items":["春游"]})"),
        "SUCCESS: 已写入 1/1 条到提醒事项清单「周末」");

    EXPECT_EQ(cli.runTask(R"({"action":"dump","target":"reminders","list":"作业"})"),
              "清单「作业」共 3 条:\n"
              "  · 数学｜P12  截止:2026-03-15 18:00  完成:false\n"
              "  · 英语  截止:无  完成:false\n"
              "  · 语文｜背诵  截止:2026-03-15 18:00  完成:false\n");
    EXPECT_EQ(cli.runTask(R"({"action":"dump","target":"reminders","list":"物理"})"),
              "未找到清单「物理」或清单为空。现有清单: 作业 / 周末");
    // The flag always means the app's own lists.
    EXPECT_EQ(cli.run({"--dump", "作业"}).result, "未找到清单「作业」。现有: (空)");

    EXPECT_EQ(
        cli.runTask(
            R"({"action":"delete","target":"reminders","list":"作业","items":["英语","没有"]})"),
        "SUCCESS: 已从提醒事项「作业」删除 1 条");
    EXPECT_EQ(
        cli.runTask(R"({"action":"delete","target":"reminders","list":"没有","items":["英语"]})"),
        "SUCCESS: 已从提醒事项「没有」删除 0 条");
    EXPECT_EQ(cli.runTask(R"({"action":"write","target":"reminders","list":"空","items":[]})"),
              "ERROR: items 为空");
    EXPECT_EQ(cli.runTask(R"({"action":"delete","target":"reminders","list":"作业"})"),
              "ERROR: items 为空");
    EXPECT_EQ(cli.runTask(R"({"action":"dump","target":"reminders","list":"作业"})"),
              "清单「作业」共 2 条:\n"
              "  · 数学｜P12  截止:2026-03-15 18:00  完成:false\n"
              "  · 语文｜背诵  截止:2026-03-15 18:00  完成:false\n");
}

TEST(RemindersCli, RefusedAccessAndFailedDeletesAreErrors)
{
    TempHome home;
    CliProcess cli(home);
    writeFile(remindersRoot(home), "a file where the folder belongs");
    EXPECT_TRUE(cli.runTask(R"({"action":"write","target":"reminders","items":["数学"]})")
                    .value_or(QString())
                    .startsWith("ERROR: 未获得提醒事项访问权限：无法创建或写入提醒事项文件夹 " +
                                remindersRoot(home)));
    EXPECT_EQ(cli.runTask(R"({"action":"dump","target":"reminders","list":"作业"})"),
              "未找到清单「作业」或清单为空。现有清单: ");
    QFile::remove(remindersRoot(home));

    EXPECT_EQ(cli.runTask(R"({"action":"write","target":"reminders","items":["数学"]})"),
              "SUCCESS: 已写入 1/1 条到提醒事项清单「作业」");
    const QString list = remindersRoot(home) + "/作业";
    std::optional<QString> result;
    {
        ReadOnlyFolder readOnly(list);
        if (!readOnly.holds())
            GTEST_SKIP() << "no way to make a folder read-only here";
        result = cli.runTask(
            R"({"action":"delete","target":"reminders","list":"作业","items":["数学"]})");
    }
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->startsWith("ERROR: 无法删除：" + list + "/")) << result->toStdString();
    EXPECT_EQ(icsFiles(list).size(), 1);
}

TEST(RemindersCli, TwoProcessesWritingAtOnceLoseNothing)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();

    QList<QProcess *> runs;
    for (const QString side : {"甲", "乙"}) {
        QStringList items;
        for (int i = 0; i < 20; ++i)
            items.append(QString("\"%1%2\"").arg(side).arg(i));
        const QString taskFile = home.path() + "/" + side + ".json";
        writeFile(taskFile,
                  QString(R"({"action":"write","target":"reminders","list":"作业","items":[%1]})")
                      .arg(items.join(','))
                      .toUtf8());
        auto *process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(TestPaths::slatebook(), {"--write", taskFile});
        runs.append(process);
    }
    for (QProcess *process : runs) {
        EXPECT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0);
        delete process;
    }

    const std::optional<QString> dump =
        cli.runTask(R"({"action":"dump","target":"reminders","list":"作业"})");
    ASSERT_TRUE(dump);
    EXPECT_TRUE(dump->startsWith("清单「作业」共 40 条:\n")) << dump->toStdString();
    EXPECT_EQ(QDir(remindersRoot(home))
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)
                  .size(),
              1);
}
