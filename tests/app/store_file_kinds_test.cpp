// What stands at the path of a store file decides whether it is read and written: a link to a
// regular file is followed, anything else (a link to nowhere, a FIFO, a folder, a device) is
// neither waited on nor written through, and the save says why.
#include "CliProcess.h"
#include "local_data/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray writeTask = R"({"action":"write","list":"作业","items":["新"]})";
const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

void makeFifo(const QString &path)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
}

} // namespace

TEST(StoreFileKinds, ALinkToAFileIsWrittenThroughAndNothingElseIsWaitedOnOrWrittenThrough)
{
    const std::pair<const char *, std::function<void(const QString &, const QString &)>> refused[] =
        {
            {"a link to nowhere in an existing folder",
             [](const QString &file, const QString &folder) {
                 QFile::link(folder + "/x.json", file);
             }},
            {"a FIFO", [](const QString &file, const QString &) { makeFifo(file); }},
            {"a folder", [](const QString &file, const QString &) { QDir().mkpath(file); }},
            {"a link to an endless device",
             [](const QString &file, const QString &) { QFile::link("/dev/zero", file); }},
        };
    for (const auto &[name, make] : refused) {
        TempHome home;
        CliProcess cli(home);
        const QString file = home.dataFolder() + "/tasks.json";
        QDir().mkpath(home.dataFolder());
        make(file, home.path());
        const auto kind = [&] {
            return std::pair(QFileInfo(file).isSymLink(), QFileInfo(file).isDir());
        };
        const auto before = kind();

        cli.writeDropFile(writeTask);
        const CliOutcome outcome = cli.run({}, 20000);
        EXPECT_TRUE(outcome.finished) << name << ": never waits on it";
        EXPECT_TRUE(outcome.result.value_or("").startsWith("ERROR: 未能保存到 " + file + "（"))
            << name;
        EXPECT_EQ(kind(), before) << name;
        EXPECT_FALSE(QFile::exists(home.path() + "/x.json")) << name;
        EXPECT_EQ(QDir(home.dataFolder()).entryList(everything), QStringList{"tasks.json"})
            << name << ": nothing kept aside, no temporary file";
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
    const QByteArray damaged =
        readFile(file).replace("\"title\": \"旧B\"", "\"title\": \"旧B\", \"x\": 1e400");
    QFile::remove(file);
    writeFile(target, damaged);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(target, file));

    EXPECT_EQ(cli.runTask(writeTask), "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    EXPECT_EQ(QFileInfo(file).symLinkTarget(), target);
    struct stat status { };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    const QStringList aside = QDir(home.path() + "/synced").entryList({"tasks.json.unreadable-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(readFile(home.path() + "/synced/" + aside[0]), damaged);
    EXPECT_EQ(cli.run({"--dump", "作业"}).result,
              "清单「作业」共 2 条（2 未完成）:\n  [ ] 新\n  [ ] 旧A\n");
    EXPECT_EQ(QDir(home.dataFolder()).entryList(everything), QStringList{"tasks.json"});
    EXPECT_EQ(QDir(home.path() + "/synced").entryList(everything),
              (QStringList{"tasks.json", aside[0]}))
        << "no temporary file left behind";
}
