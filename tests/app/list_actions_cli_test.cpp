// The command-line "dump", "write" and "delete" on the app's own lists, run through the built
// executable with a drop file, "--dump" and "--write".
#include "CliProcess.h"
#include "data/TaskStore.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

std::optional<QString> runDropFile(const CliProcess &cli, const QByteArray &json)
{
    cli.writeDropFile(json);
    return cli.run({}).result;
}

QStringList titles(const TaskStore &store, const QString &listName)
{
    QStringList result;
    if (const std::optional<TaskList> list = store.list(listName)) {
        for (const TaskItem &task : list->tasks)
            result.append(task.title);
    }
    return result;
}

QString writeTaskFile(const TempHome &home, const QString &name, const QStringList &items)
{
    QString json = R"({"action":"write","items":[)";
    for (qsizetype i = 0; i < items.size(); ++i)
        json += (i ? "," : "") + ('"' + items[i] + '"');
    const QString path = home.path() + "/" + name + ".json";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write((json + "]}").toUtf8());
    return path;
}

} // namespace

TEST(AppListActions, WriteAddsOnceThenSkipsAndReadsOnlyAWellFormedDue)
{
    TempHome home;
    CliProcess cli(home);

    EXPECT_EQ(runDropFile(cli, R"({"action":"write","items":["数学｜P12"]})"),
              "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    EXPECT_EQ(runDropFile(cli, R"({"action":"write","items":["数学｜P12"]})"),
              "SUCCESS: 已写入 0/1 条到 App 清单「作业」（跳过 1 条已存在）");
    {
        const TaskList list = *TaskStore(home.dataFolder()).list("作业");
        ASSERT_EQ(list.tasks.size(), 1);
        EXPECT_FALSE(list.tasks[0].due);
        EXPECT_EQ(list.tasks[0].source, "命令导入");
    }

    EXPECT_EQ(runDropFile(cli, R"({"action":"write","list":"3.15作业","due":"2026-03-15T18:00",
                                  "items":["英语"," 英语 ",""],"target":"app"})"),
              "SUCCESS: 已写入 1/3 条到 App 清单「3.15作业」（跳过 1 条已存在）");
    EXPECT_EQ(TaskStore(home.dataFolder()).list("3.15作业")->tasks[0].due,
              QDateTime(QDate(2026, 3, 15), QTime(18, 0)));

    EXPECT_EQ(
        runDropFile(
            cli,
            R"({"action":"write","list":"L","due":"2026-03-15 18:00","items":["a"],"target":"x"})"),
        "SUCCESS: 已写入 1/1 条到 App 清单「L」");
    EXPECT_FALSE(TaskStore(home.dataFolder()).list("L")->tasks[0].due);

    EXPECT_EQ(runDropFile(cli, R"({"action":"write","list":"M","items":[]})"), "ERROR: items 为空");
    EXPECT_EQ(runDropFile(cli, R"({"action":"write","list":"M"})"), "ERROR: items 为空");
    EXPECT_FALSE(TaskStore(home.dataFolder()).list("M")) << "nothing changed";
}

TEST(AppListActions, DumpListsEveryListOneListOrTheNamesThatExist)
{
    TempHome home;
    CliProcess cli(home);
    EXPECT_EQ(runDropFile(cli, R"({"action":"dump"})"), "共 0 个清单:\n");
    EXPECT_EQ(cli.run({"--dump", "作业"}).result, "未找到清单「作业」。现有: (空)");

    {
        QDir().mkpath(home.dataFolder());
        TaskStore store(home.dataFolder());
        store.add({"数学｜P12"}, "作业", QDateTime(QDate(2026, 3, 15), QTime(18, 0)));
        store.add({"英语"}, "作业");
        store.toggle(store.list("作业")->tasks.last().id, "作业");
        store.add({"a"}, "其他");
    }
    EXPECT_EQ(
        cli.run({"--dump", "作业"}).result,
        "清单「作业」共 2 条（1 未完成）:\n  [ ] 数学｜P12  截止:2026-03-15 18:00\n  [x] 英语\n");
    EXPECT_EQ(runDropFile(cli, R"({"action":"dump","list":""})"),
              "共 2 个清单:\n  · 作业  1 待办 / 2 总计\n  · 其他  1 待办 / 1 总计\n");
    EXPECT_EQ(cli.run({"--dump", "不存在"}).result, "未找到清单「不存在」。现有: 作业 / 其他");
}

TEST(AppListActions, DeleteRemovesEveryEntryWithAGivenTitleAsWritten)
{
    TempHome home;
    CliProcess cli(home);
    QDir().mkpath(home.dataFolder());
    {
        TaskStore store(home.dataFolder());
        store.add({"A", "B", "C"}, "作业");
        TaskItem twin = store.list("作业")->tasks[2];
        twin.title = "A";
        store.update(twin, "作业");
    }
    EXPECT_EQ(runDropFile(cli, R"({"action":"delete","list":"作业","items":["A"," B"]})"),
              "SUCCESS: 已从 App 清单「作业」删除 2 条");
    EXPECT_EQ(titles(TaskStore(home.dataFolder()), "作业"), QStringList({"B"}));
    EXPECT_EQ(runDropFile(cli, R"({"action":"delete","items":["B"]})"), "未找到清单「」");
    EXPECT_EQ(runDropFile(cli, R"({"action":"delete","list":"作业"})"), "ERROR: items 为空");
}

TEST(AppListActions, ACommandLineWriteWhileTheWindowHoldsTheFolderLosesNothing)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    QDir().mkpath(home.dataFolder());
    TaskStore window(home.dataFolder());

    // Command-line runs write while the window keeps adding its own entries one by one.
    QStringList expected;
    int windowEntries = 0;
    for (int run = 0; run < 4; ++run) {
        QStringList items;
        for (int i = 0; i < 10; ++i)
            items.append(QStringLiteral("cli-%1-%2").arg(run).arg(i));
        expected += items;
        QProcess process;
        process.start(TestPaths::slatebook(),
                      {"--write", writeTaskFile(home, QString::number(run), items)});
        ASSERT_TRUE(process.waitForStarted());
        while (!process.waitForFinished(5)) {
            const QString title = QStringLiteral("window-%1").arg(windowEntries++);
            window.add({title}, "作业");
            expected.append(title);
        }
        EXPECT_EQ(process.exitCode(), 0);
    }
    ASSERT_GT(windowEntries, 4);
    expected.sort();

    QStringList onDisk = titles(TaskStore(home.dataFolder()), "作业");
    onDisk.sort();
    EXPECT_EQ(onDisk, expected);

    // While idle, the window picks up a command-line write by itself.
    QSignalSpy changed(&window, &TaskStore::listsChanged);
    EXPECT_EQ(cli.run({"--write", writeTaskFile(home, "last", {"cli-last"})}).result,
              "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(titles(window, "作业").contains("cli-last"));
    EXPECT_EQ(titles(window, "作业").size(), expected.size() + 1);
}
