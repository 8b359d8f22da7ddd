#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

// Mounts for one test that leave the machine's alone, so that a test meets a disk that is really
// full or a folder that is really read-only: the test runs again in a child process of its own
// user and mount namespaces (`unshare -rm`), where a tmpfs or a bind mount needs no privilege and
// vanishes with the process. Programs the test starts see the same mounts.
namespace PrivateMounts {

inline constexpr char marker[] = "SLATEBOOK_TEST_PRIVATE_MOUNTS";

// Whether this process is that child.
inline bool inside()
{
    return qEnvironmentVariableIsSet(marker);
}

struct ChildRun {
    bool passed = false;
    bool skipped = false;
    QString output;
};

// Runs the current test again in the child and waits for it.
inline ChildRun runCurrentTest()
{
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        return {false, true, QStringLiteral("unshare (util-linux) is not installed")};
    if (QProcess::execute(unshare, {QStringLiteral("-rm"), QStringLiteral("true")}) != 0)
        return {false, true, QStringLiteral("this machine refuses user and mount namespaces")};

    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(marker), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(
        unshare,
        {QStringLiteral("-rm"), QCoreApplication::applicationFilePath(),
         QStringLiteral("--gtest_filter=%1.%2")
             .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()))});
    if (!child.waitForFinished(300000))
        child.kill();
    child.waitForFinished();
    ChildRun run;
    run.output = QString::fromUtf8(child.readAll());
    run.skipped = run.output.contains(QStringLiteral("[  SKIPPED ] 1 test"));
    run.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
        run.output.contains(QStringLiteral("[  PASSED  ] 1 test"));
    return run;
}

inline QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// A tmpfs of `kilobytes` and room for a few dozen files on `dir`, created when missing; false
// when mounting is refused.
inline bool mountTmpfs(const QString &dir, int kilobytes)
{
    QDir().mkpath(dir);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,nr_inodes=64";
    return ::mount("tmpfs", native(dir).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.constData()) == 0;
}

// `from` shown again at `onto`, both created when missing.
inline bool bind(const QString &from, const QString &onto)
{
    QDir().mkpath(from);
    QDir().mkpath(onto);
    return ::mount(native(from).constData(), native(onto).constData(), nullptr, MS_BIND, nullptr) ==
        0;
}

// `dir` shown read-only over itself: every change in it fails with EROFS, root's too.
inline bool readOnly(const QString &dir)
{
    const QByteArray path = native(dir);
    return bind(dir, dir) &&
        ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// Ends the last mount on `dir`.
inline bool unmount(const QString &dir)
{
    return ::umount2(native(dir).constData(), MNT_DETACH) == 0;
}

// Fills the file system of `dir` from a folder `dir/filler` until it takes no further byte nor
// file; the folder, whose removal makes room again.
inline QString fill(const QString &dir)
{
    const QString folder = dir + QStringLiteral("/filler");
    QDir().mkpath(folder);
    // Big blocks first, then single bytes into the last page, then empty files: a save is refused
    // whether it needs a byte or a new file.
    const int file = ::open(native(folder + QStringLiteral("/blocks")).constData(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file >= 0) {
        const QByteArray block(64 * 1024, 'x');
        while (::write(file, block.constData(), size_t(block.size())) == block.size()) { }
        while (::write(file, "x", 1) == 1) { }
        ::close(file);
    }
    for (int i = 0; i < 100000; ++i) {
        const int empty = ::open(native(folder + QStringLiteral("/%1").arg(i)).constData(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (empty < 0)
            break;
        ::close(empty);
    }
    return folder;
}

} // namespace PrivateMounts

// Opens a test that mounts: the test process runs it in the child and ends with the child's
// result; the child goes on.
#define RUN_WITH_PRIVATE_MOUNTS()                                                                  \
    if (!PrivateMounts::inside()) {                                                                \
        const PrivateMounts::ChildRun run = PrivateMounts::runCurrentTest();                       \
        if (run.skipped)                                                                           \
            GTEST_SKIP() << run.output.toStdString();                                              \
        EXPECT_TRUE(run.passed) << run.output.toStdString();                                       \
        return;                                                                                    \
    }
