// What stands at the path of a store file decides whether it is read and written: a link to a
// regular file is followed, anything else (a link to nowhere, a FIFO, a folder, a device) is
// neither waited on nor written through, and the save says why.
#include "CliProcess.h"
#include "bridges/notifications/PendingRequestFile.h"
#include "data/HistoryStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray writeTask = R"({"action":"write","list":"作业","items":["新"]})";

void makeFifo(const QString &path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(StoreFileKinds, ALinkToAFileIsWrittenThroughAndNothingElseIsWaitedOnOrWrittenThrough)
{
    struct Row {
        const char *name;
        std::function<void(const QString &tasksFile, const QString &elsewhere)> make;
        const char *reason;
    };
    const Row refused[] = {
        {"a link to nowhere in an existing folder",
         [](const QString &file, const QString &elsewhere) {
             QFile::link(elsewhere + "/tasks.json", file);
         },
         "符号链接指向的文件不存在"},
        {"a FIFO", [](const QString &file, const QString &) { makeFifo(file); }, "不是普通文件"},
        {"a link to a FIFO",
         [](const QString &file, const QString &elsewhere) {
             makeFifo(elsewhere + "/fifo");
             QFile::link(elsewhere + "/fifo", file);
         },
         "不是普通文件"},
        {"a folder", [](const QString &file, const QString &) { QDir().mkpath(file); },
         "不是普通文件"},
        {"a link to an endless device",
         [](const QString &file, const QString &) { QFile::link("/dev/zero", file); },
         "不是普通文件"},
    };
    for (const Row &row : refused) {
        TempHome home;
        CliProcess cli(home);
        const QString file = home.dataFolder() + "/tasks.json";
        const QString elsewhere = home.path() + "/elsewhere";
        QDir().mkpath(home.dataFolder());
        QDir().mkpath(elsewhere);
        row.make(file, elsewhere);
        const bool link = QFileInfo(file).isSymLink();
        const bool folder = QFileInfo(file).isDir();
        ASSERT_TRUE(link || folder || QFileInfo(file).exists()) << row.name;

        cli.writeDropFile(writeTask);
        QElapsedTimer timer;
        timer.start();
        const CliOutcome outcome = cli.run({}, 20000);
        EXPECT_TRUE(outcome.finished) << row.name;
        EXPECT_LT(timer.elapsed(), 20000) << row.name;
        EXPECT_EQ(outcome.result, "ERROR: 未能保存到 " + file + "（" + row.reason + "）")
            << row.name;
        EXPECT_EQ(QFileInfo(file).isSymLink(), link) << row.name;
        EXPECT_EQ(QFileInfo(file).isDir(), folder) << row.name;
        EXPECT_FALSE(QFile::exists(elsewhere + "/tasks.json")) << row.name;
        EXPECT_EQ(
            QDir(home.dataFolder())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            QStringList{"tasks.json"})
            << row.name << ": nothing kept aside, no temporary file";
    }

    // The window's other files: a FIFO is passed over at once, and saving over it fails aloud.
    {
        TempHome home;
        QDir().mkpath(home.dataFolder());
        makeFifo(home.dataFolder() + "/history.json");
        HistoryStore history(home.dataFolder());
        QSignalSpy failed(&history, &HistoryStore::saveFailed);
        history.add(HistoryRecord{});
        ASSERT_EQ(failed.size(), 1);
        EXPECT_TRUE(failed[0][0].toString().endsWith("（不是普通文件）"));
        PendingRequestFile pending(home.dataFolder());
        makeFifo(pending.path());
        EXPECT_TRUE(pending.read().isEmpty());
    }

    // A link to a regular file elsewhere: the link stays, its target is replaced in its own
    // folder with its permissions, and a target with an entry that does not read is kept aside
    // there first.
    TempHome home;
    CliProcess cli(home);
    ASSERT_EQ(cli.runTask(R"({"action":"write","list":"作业","items":["旧A","旧B"]})"),
              "SUCCESS: 已写入 2/2 条到 App 清单「作业」");
    const QString file = home.dataFolder() + "/tasks.json";
    const QString target = home.path() + "/synced/tasks.json";
    QByteArray damaged = contents(file);
    damaged.replace("\"title\": \"旧B\"", "\"title\": \"旧B\", \"x\": 1e400");
    QDir().mkpath(home.path() + "/synced");
    QFile::remove(file);
    {
        QFile written(target);
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write(damaged);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, file));

    EXPECT_EQ(cli.runTask(writeTask), "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    EXPECT_EQ(QFileInfo(file).symLinkTarget(), target);
    struct stat status { };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    const QStringList aside = QDir(home.path() + "/synced").entryList({"tasks.json.unreadable-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(contents(home.path() + "/synced/" + aside[0]), damaged);
    EXPECT_EQ(cli.run({"--dump", "作业"}).result,
              "清单「作业」共 2 条（2 未完成）:\n  [ ] 新\n  [ ] 旧A\n");
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_EQ(QDir(home.dataFolder()).entryList(everything), QStringList{"tasks.json"});
    EXPECT_EQ(QDir(home.path() + "/synced").entryList(everything),
              (QStringList{"tasks.json", aside[0]}))
        << "no temporary file left behind";
}
