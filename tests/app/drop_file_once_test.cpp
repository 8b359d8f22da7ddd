// A drop file the executable cannot delete runs once: a later start passes it over and opens the
// window, and a drop file written anew runs again. The file stays for real: the tools folder, or
// the drop file itself, is a read-only mount in a mount namespace of the run's own.
#include "CliProcess.h"
#include "WindowProcess.h"
#include "data/TaskStore.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <utime.h>

namespace {

// The command that makes `path` read-only for the program after it, and for nothing else.
QStringList readOnlyFor(const QString &path)
{
    const QString script =
        R"(mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && shift && exec "$@")";
    return {"unshare", "-rm", "sh", "-c", script, "sh", path};
}

QStringList titlesIn(const TempHome &home)
{
    const TaskStore store(home.dataFolder());
    QStringList titles;
    for (const TaskList &list : store.lists())
        for (const TaskItem &task : list.tasks)
            titles.append(task.title);
    titles.sort();
    return titles;
}

struct Row {
    const char *name;
    bool mountToolsFolder; // else the drop file itself
    std::optional<QString> firstResult;
};

} // namespace

TEST(DropFileOnce, AnUndeletableDropFileRunsOnceThenTheWindowOpens)
{
    if (QProcess::execute("unshare", {"-rm", "true"}) != 0)
        GTEST_SKIP() << "no mount namespace can be made here";
    const Row rows[] = {
        // Nothing can be written there either: the task's effect shows in the lists.
        {"read-only tools folder", true, std::nullopt},
        // A mount point cannot be removed; the result file beside it is written.
        {"drop file is a mount point", false, "SUCCESS: 已写入 1/1 条到 App 清单「作业」"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        TestSessionBus bus;
        CliProcess cli(home);
        const QString runtime = makeRuntimeFolder(home.path() + "/runtime");
        const QStringList wrapper =
            readOnlyFor(row.mountToolsFolder ? cli.toolsFolder() : cli.dropFile());
        cli.writeDropFile(R"({"action":"write","items":["语文"]})");

        {
            WindowProcess first(bus, runtime, home.path(), {}, wrapper);
            EXPECT_TRUE(first.waitForTaskEnd());
        }
        EXPECT_TRUE(QFile::exists(cli.dropFile()));
        EXPECT_EQ(titlesIn(home), QStringList{"语文"});
        QFile result(cli.resultFile());
        EXPECT_EQ(result.open(QIODevice::ReadOnly) ? std::optional(QString(result.readAll()))
                                                   : std::nullopt,
                  row.firstResult);
        QFile::remove(cli.resultFile());

        {
            WindowProcess again(bus, runtime, home.path(), {}, wrapper);
            EXPECT_TRUE(again.waitForWindow()) << "the same drop file is passed over";
            EXPECT_TRUE(again.terminate(10000));
        }
        EXPECT_FALSE(QFile::exists(cli.resultFile()));

        // The same bytes written again (a newer time), then other bytes: each runs once more.
        ASSERT_EQ(::utime(QFile::encodeName(cli.dropFile()).constData(), nullptr), 0);
        {
            WindowProcess rewritten(bus, runtime, home.path(), {}, wrapper);
            EXPECT_TRUE(rewritten.waitForTaskEnd()) << "a newer drop file runs";
        }
        cli.writeDropFile(R"({"action":"write","items":["数学"]})");
        {
            WindowProcess other(bus, runtime, home.path(), {}, wrapper);
            EXPECT_TRUE(other.waitForTaskEnd()) << "a drop file with other bytes runs";
        }
        EXPECT_EQ(titlesIn(home), (QStringList{"数学", "语文"}));
    }
}
