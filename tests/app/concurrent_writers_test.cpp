// Writers at the same time lose nothing: command-line runs beside the window on the app's own
// lists, and two command-line runs at once on the Reminders folder.
#include "CliProcess.h"
#include "data/TaskStore.h"
#include "local_data/TestFiles.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A "--write" task file named `name` in the home, writing `items` to the list 作业 of `target`.
QString writeTaskFile(const TempHome &home, const QString &name, const QString &target,
                      const QStringList &items)
{
    const QString path = home.path() + "/" + name + ".json";
    writeFile(path,
              QString(R"({"action":"write","target":"%1","list":"作业","items":["%2"]})")
                  .arg(target, items.join(R"(",")"))
                  .toUtf8());
    return path;
}

QStringList titles(const TaskStore &store)
{
    QStringList result;
    for (const TaskItem &task : store.list("作业").value_or(TaskList()).tasks)
        result.append(task.title);
    result.sort();
    return result;
}

} // namespace

TEST(ConcurrentWriters, ACommandLineWriteWhileTheWindowHoldsTheFolderLosesNothing)
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
                      {"--write", writeTaskFile(home, QString::number(run), "app", items)});
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
    EXPECT_EQ(titles(TaskStore(home.dataFolder())), expected);

    // While idle, the window picks up a command-line write by itself.
    QSignalSpy changed(&window, &TaskStore::listsChanged);
    const QString last = writeTaskFile(home, "last", "app", {"cli-last"});
    EXPECT_EQ(cli.run({"--write", last}).result, "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    EXPECT_TRUE(QFile::exists(last)) << "a task file is read, never consumed";
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_TRUE(titles(window).contains("cli-last"));
    EXPECT_EQ(titles(window).size(), expected.size() + 1);
}

TEST(ConcurrentWriters, TwoCommandLineWritesToTheRemindersFolderAtOnceLoseNothing)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();

    QList<QProcess *> runs;
    for (const QString side : {"甲", "乙"}) {
        QStringList items;
        for (int i = 0; i < 20; ++i)
            items.append(side + QString::number(i));
        auto *process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(TestPaths::slatebook(),
                       {"--write", writeTaskFile(home, side, "reminders", items)});
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
    EXPECT_EQ(QDir(home.dataFolder() + "/Reminders")
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)
                  .size(),
              1);
}
