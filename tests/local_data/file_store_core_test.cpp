// The protocol every kept file follows, on real files: other processes and threads writing the
// same file, a disk that is really full, a folder mounted read-only, files that do not read.
#include "TestFiles.h"
#include "data/FileStoreCore.h"
#include "support/PrivateMounts.h"
#include "support/TempHome.h"

#include <QProcess>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

// The smallest owner the core can have: a file of lines. A line "?" is an entry that does not
// read; a file that starts with "!" does not read at all.
struct Lines {
    explicit Lines(const QString &path)
        : core(path,
               {[this](const QByteArray &bytes) { return adopt(bytes); },
                [this] { return lines.join('\n').toUtf8(); }})
    {
        core.reload(FileStoreCore::Read::Always);
    }

    FileStoreCore::Decoded adopt(const QByteArray &bytes)
    {
        if (bytes.startsWith('!'))
            return FileStoreCore::Decoded::Unreadable;
        lines = QString::fromUtf8(bytes).split('\n', Qt::SkipEmptyParts);
        const qsizetype unreadable = lines.removeAll("?");
        return unreadable ? FileStoreCore::Decoded::Partly : FileStoreCore::Decoded::Whole;
    }

    FileStoreCore::Outcome append(const QString &line)
    {
        FileStoreCore::Outcome outcome;
        core.change(
            [&](bool &changed) {
                lines.append(line);
                changed = true;
            },
            outcome);
        return outcome;
    }

    QStringList lines;
    FileStoreCore core;
};

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

// Hidden files included: a temporary or lock file left behind shows here.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

constexpr char writerRole[] = "SLATEBOOK_TEST_STORE_WRITER";
constexpr int perThread = 60;

// One writer process: two threads append through one core.
void writeAsChild(const QString &path, const QString &who)
{
    Lines store(path);
    const auto write = [&](const QString &thread) {
        for (int i = 0; i < perThread; ++i)
            store.append(QStringLiteral("%1-%2-%3").arg(who, thread).arg(i));
    };
    std::thread first(write, QStringLiteral("a"));
    write(QStringLiteral("b"));
    first.join();
}

} // namespace

TEST(FileStoreCore, WritersInTwoProcessesOfTwoThreadsEachLoseNothing)
{
    if (qEnvironmentVariableIsSet(writerRole)) {
        const QStringList role = qEnvironmentVariable(writerRole).split('|');
        writeAsChild(role[0], role[1]);
        return;
    }
    TempHome home;
    const QString path = home.path() + "/kept/lines.txt";
    Lines(path).append("first");
    QProcess writers[2];
    QStringList expected{"first"};
    for (int n = 0; n < 2; ++n) {
        const QString who = QStringLiteral("p%1").arg(n);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(writerRole, path + "|" + who);
        writers[n].setProcessEnvironment(environment);
        writers[n].start(QCoreApplication::applicationFilePath(),
                         {"--gtest_filter=FileStoreCore.WritersInTwoProcessesOfTwoThreadsEach*"});
        for (const char *thread : {"a", "b"}) {
            for (int i = 0; i < perThread; ++i)
                expected.append(QStringLiteral("%1-%2-%3").arg(who, thread).arg(i));
        }
    }
    for (QProcess &writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(120000));
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardOutput().toStdString();
    }
    EXPECT_EQ(sorted(Lines(path).lines), sorted(expected));
    EXPECT_EQ(entries(home.path() + "/kept"), QStringList{"lines.txt"});
}

TEST(FileStoreCore, AFileThatCannotBeWrittenStaysWholeAndTheChangeWaitsInMemory)
{
    RUN_WITH_PRIVATE_MOUNTS();
    const struct {
        const char *name;
        QByteArray before;
        std::function<bool(const QString &)> block;
        std::function<bool(const QString &)> unblock;
        QString error; // %1: the file
        QStringList afterwards;
    } rows[] = {
        {"a full disk",
         "old",
         [](const QString &dir) { return !PrivateMounts::fill(dir).isEmpty(); },
         [](const QString &dir) { return QDir(dir + "/filler").removeRecursively(); },
         "未能保存到 %1（磁盘已满）",
         {"old", "new", "newer"}},
        {"a read-only mount",
         "old",
         PrivateMounts::readOnly,
         PrivateMounts::unmount,
         "未能保存到 %1（文件系统只读）",
         {"old", "new", "newer"}},
        {"a file that does not read, on a read-only mount",
         "!newer format",
         PrivateMounts::readOnly,
         PrivateMounts::unmount,
         "无法保存：%1 无法读取，也无法移到一旁保留",
         {"new", "newer"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const QString dir = home.path() + "/kept";
        if (!PrivateMounts::mountTmpfs(dir, 256))
            GTEST_SKIP() << "mounting a tmpfs is refused here";
        const QString path = dir + "/lines.txt";
        writeFile(path, row.before);
        Lines store(path);
        const QStringList before = entries(dir);
        ASSERT_TRUE(row.block(dir));

        const FileStoreCore::Outcome outcome = store.append("new");
        EXPECT_TRUE(outcome.changed && !outcome.saved);
        EXPECT_EQ(store.core.saveError(), row.error.arg(path));
        EXPECT_EQ(readFile(path), row.before);
        EXPECT_EQ(entries(dir).filter("lines"), before.filter("lines"))
            << "nothing kept aside, no temporary file";
        EXPECT_EQ(store.lines.last(), "new");

        // Room again: the change held in memory is saved with the next one.
        ASSERT_TRUE(row.unblock(dir));
        EXPECT_TRUE(store.append("newer").saved);
        EXPECT_EQ(store.core.saveError(), std::nullopt);
        EXPECT_EQ(Lines(path).lines, row.afterwards);
        EXPECT_EQ(keptAside(dir, "lines.txt").size(), row.before.startsWith('!') ? 1 : 0);
        PrivateMounts::unmount(dir);
    }
}

TEST(FileStoreCore, AFileThatDoesNotReadWholeIsKeptAsideBeforeItIsWrittenOverAndAFifoIsLeftAlone)
{
    const struct {
        const char *name;
        QByteArray before;
        QStringList read;
    } rows[] = {
        {"a file that does not read", "!newer format", {}},
        {"an entry that does not read", "a\n?\nb", {"a", "b"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        const QString path = home.path() + "/lines.txt";
        writeFile(path, row.before);
        Lines store(path);
        EXPECT_EQ(store.lines, row.read);
        EXPECT_TRUE(keptAside(home.path(), "lines.txt").isEmpty()) << "reading moves nothing";

        EXPECT_TRUE(store.append("x").saved);
        const QStringList aside = keptAside(home.path(), "lines.txt");
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(readFile(home.path() + "/" + aside[0]), row.before);
        EXPECT_EQ(Lines(path).lines, row.read + QStringList{"x"});
        store.append("y");
        EXPECT_EQ(keptAside(home.path(), "lines.txt").size(), 1) << "kept aside once";

        // Another one within the same second gets a name of its own.
        writeFile(path, row.before);
        Lines(path).append("z");
        EXPECT_EQ(keptAside(home.path(), "lines.txt").size(), 2);
    }

    TempHome home;
    const QString path = home.path() + "/lines.txt";
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    Lines store(path); // returns: a FIFO is never waited on
    EXPECT_FALSE(store.append("x").saved);
    EXPECT_EQ(store.core.saveError(), "未能保存到 " + path + "（不是普通文件）");
    EXPECT_EQ(entries(home.path()), QStringList{"lines.txt"});
    struct stat status { };
    EXPECT_TRUE(::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
}
