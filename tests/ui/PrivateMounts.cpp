#include "PrivateMounts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace PrivateMounts {

namespace {

constexpr char marker[] = "SLATEBOOK_TEST_PRIVATE_MOUNTS";

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

bool inside()
{
    return qEnvironmentVariableIsSet(marker);
}

ChildRun runCurrentTest()
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

bool mountTmpfs(const QString &dir, int kilobytes)
{
    QDir().mkpath(dir);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,nr_inodes=64";
    return ::mount("tmpfs", native(dir).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                   options.constData()) == 0;
}

bool bind(const QString &from, const QString &onto)
{
    QDir().mkpath(from);
    QDir().mkpath(onto);
    return ::mount(native(from).constData(), native(onto).constData(), nullptr, MS_BIND, nullptr) ==
        0;
}

QString fill(const QString &dir)
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
