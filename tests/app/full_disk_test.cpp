// Every file the program writes, on a disk that is really full (a small tmpfs): none is emptied
// or cut short, no temporary file is left behind, and a save that failed is said, never reported
// as done.
#include "CliProcess.h"
#include "bridges/notifications/PendingRequestFile.h"
#include "bridges/notifications/StateFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "local_data/TestFiles.h"
#include "support/SmallTmpfs.h"

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

PendingRequest reminder(const QString &identifier)
{
    PendingRequest pending;
    pending.request.identifier = identifier;
    pending.request.trigger = IntervalTrigger{60};
    pending.addedAt = QDateTime::currentDateTimeUtc();
    return pending;
}

} // namespace

TEST(FullDisk, NoFileIsEmptiedAndEveryFailedSaveIsSaid)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    // ~/.local holds tasks.json and history.json (share/) and the notification file (state/).
    const SmallTmpfs local(home.path() + "/.local");
    if (!local.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here: " << local.why().toStdString();

    ASSERT_EQ(cli.runTask(R"({"action":"write","list":"作业","items":["旧1","旧2"]})"),
              "SUCCESS: 已写入 2/2 条到 App 清单「作业」");
    TaskStore window(home.dataFolder());
    HistoryStore history(home.dataFolder());
    history.add(HistoryRecord{});
    PendingRequestFile pending(StateFolder::path());
    pending.change([](QList<PendingRequest> &requests) { requests.append(reminder("a")); });
    std::map<QString, QByteArray> before;
    for (const QString &file : {window.file(), history.file(), pending.path()})
        before[file] = readFile(file);
    const QStringList dataFiles = names(home.dataFolder());
    const QStringList stateFiles = names(StateFolder::path());

    local.fill();
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
    EXPECT_EQ(
        pending.change([](QList<PendingRequest> &requests) { requests.append(reminder("b")); })
            .size(),
        2)
        << "held in memory while it cannot be written";

    for (const auto &[file, bytes] : before)
        EXPECT_EQ(readFile(file), bytes) << file.toStdString();
    EXPECT_EQ(names(home.dataFolder()), dataFiles);
    EXPECT_EQ(names(StateFolder::path()), stateFiles);

    // The result file on a full disk: an earlier run's result never stands in for this one's.
    {
        const SmallTmpfs tools(cli.toolsFolder(), 64);
        ASSERT_TRUE(tools.mounted());
        cli.run({"--dump", "数学"});
        tools.fill();
        const QString dumped = cli.run({"--dump", "作业"}).result.value_or("");
        EXPECT_TRUE(dumped.startsWith("清单「作业」共 2 条")) << dumped.toStdString();
        QFile::remove(cli.resultFile());
        tools.fill();
        EXPECT_EQ(cli.run({"--dump", "作业"}).result, std::nullopt);
        EXPECT_EQ(names(cli.toolsFolder()), QStringList{".filler"});
    }

    // Once there is room again, the change held in memory is saved with the next one.
    local.release();
    window.add({"新3"}, "作业");
    EXPECT_TRUE(tasksFailed.size() == 1 && !window.saveError());
    EXPECT_EQ(cli.run({"--dump", "作业"}).result.value_or("").count("\n  [ ] "), 4);
    EXPECT_TRUE(QDir(home.dataFolder()).entryList({"*.unreadable-*"}).isEmpty());
}
