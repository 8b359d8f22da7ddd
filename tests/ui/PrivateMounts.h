#pragma once

#include <QString>
#include <gtest/gtest.h>

// Mounts for one test that leave the machine's alone: the test runs again in a child process of
// its own user and mount namespaces (`unshare -rm`), where a tmpfs or a bind mount needs no
// privilege and vanishes with the process.
namespace PrivateMounts {

// Whether this process is that child.
bool inside();

struct ChildRun {
    bool passed = false;
    bool skipped = false;
    QString output;
};
// Runs the current test again in the child and waits for it.
ChildRun runCurrentTest();

// A tmpfs of `kilobytes` and room for a few dozen files on `dir`, created when missing; false
// when mounting is refused.
bool mountTmpfs(const QString &dir, int kilobytes);
// `from` shown again at `onto`, created when missing.
bool bind(const QString &from, const QString &onto);
// Fills the file system of `dir` from a folder `dir/filler` until it takes no further byte nor
// file; the folder, whose removal makes room again.
QString fill(const QString &dir);

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
