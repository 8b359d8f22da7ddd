// Writers beside each other lose nothing: a command-line run beside the window on the app's own
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

TEST(ConcurrentWriters, ACommandLineWriteBesideTheWindowReachesItAndLeavesTheTaskFile)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    QDir().mkpath(home.dataFolder());
    TaskStore window(home.dataFolder());
    window.add({"window"}, "作业");

    // While idle, the window picks up a command-line write by itself.
    QSignalSpy changed(&window, &TaskStore::listsChanged);
    const QString task = writeTaskFile(home, "task", "app", {"cli"});
    EXPECT_EQ(cli.run({"--write", task}).result, "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    EXPECT_TRUE(QFile::exists(task)) << "a task file is read, never consumed";
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(titles(window), (QStringList{"cli", "window"}));
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
