// Every file the program writes, on a disk that is really full (a small tmpfs): none is emptied
// or cut short, no temporary file is left behind, and a save that failed is said, never reported
// as done.
#include "CliProcess.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "local_data/TestFiles.h"
#include "support/PrivateMounts.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <map>

namespace {

// Hidden files included: a temporary file left behind shows here.
QStringList names(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(FullDisk, NoFileIsEmptiedAndEveryFailedSaveIsSaid)
{
    RUN_WITH_PRIVATE_MOUNTS();
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    // ~/.local/share holds tasks.json and history.json.
    const QString local = home.path() + "/.local";
    if (!PrivateMounts::mountTmpfs(local, 256))
        GTEST_SKIP() << "mounting a tmpfs is refused here";

    ASSERT_EQ(cli.runTask(R"({"action":"write","list":"作业","items":["旧1","旧2"]})"),
              "SUCCESS: 已写入 2/2 条到 App 清单「作业」");
    TaskStore window(home.dataFolder());
    HistoryStore history(home.dataFolder());
    history.add(HistoryRecord{});
    std::map<QString, QByteArray> before;
    for (const QString &file : {window.file(), history.file()})
        before[file] = readFile(file);
    const QStringList dataFiles = names(home.dataFolder());

    const QString filler = PrivateMounts::fill(local);
    const QString full = "（磁盘已满）";
    EXPECT_EQ(cli.runTask(R"({"action":"write","list":"作业","items":["新1"]})"),
              "ERROR: 未能保存到 " + window.file() + full);
    EXPECT_EQ(cli.runTask(R"({"action":"delete","list":"作业","items":["旧1"]})"),
              "ERROR: 未能保存到 " + window.file() + full);

    // The window's stores say so through saveFailed and keep the change in memory.
    QSignalSpy tasksFailed(&window, &TaskStore::saveFailed);
    window.add({"新2"}, "作业");
    ASSERT_EQ(tasksFailed.size(), 1);
    EXPECT_EQ(tasksFailed[0][0].toString(), "未能保存到 " + window.file() + full);
    EXPECT_EQ(window.list("作业")->tasks.size(), 3);
    QSignalSpy historyFailed(&history, &HistoryStore::saveFailed);
    history.add(HistoryRecord{});
    ASSERT_EQ(historyFailed.size(), 1);
    EXPECT_EQ(historyFailed[0][0].toString(), "未能保存到 " + history.file() + full);

    for (const auto &[file, bytes] : before)
        EXPECT_EQ(readFile(file), bytes) << file.toStdString();
    EXPECT_EQ(names(home.dataFolder()), dataFiles);

    // The result file on a full disk: an earlier run's result never stands in for this one's.
    {
        ASSERT_TRUE(PrivateMounts::mountTmpfs(cli.toolsFolder(), 64));
        cli.run({"--dump", "数学"});
        PrivateMounts::fill(cli.toolsFolder());
        const QString dumped = cli.run({"--dump", "作业"}).result.value_or("");
        EXPECT_TRUE(dumped.startsWith("清单「作业」共 2 条")) << dumped.toStdString();
        QFile::remove(cli.resultFile());
        PrivateMounts::fill(cli.toolsFolder());
        EXPECT_EQ(cli.run({"--dump", "作业"}).result, std::nullopt);
        EXPECT_EQ(names(cli.toolsFolder()), QStringList{"filler"});
        PrivateMounts::unmount(cli.toolsFolder());
    }

    // Once there is room again, the change held in memory is saved with the next one.
    ASSERT_TRUE(QDir(filler).removeRecursively());
    window.add({"新3"}, "作业");
    EXPECT_TRUE(tasksFailed.size() == 1 && !window.saveError());
    EXPECT_EQ(cli.run({"--dump", "作业"}).result.value_or("").count("\n  [ ] "), 4);
    EXPECT_TRUE(QDir(home.dataFolder()).entryList({"*.unreadable-*"}).isEmpty());
}
