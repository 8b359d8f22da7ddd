#include "CliProcess.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

namespace {
const QString probe = TestPaths::runAsyncProbe();
// The probe's deadline is one second; a time-out is an error like any other.
const QString timedOut = "ERROR: 超时：1 秒内未完成";
} // namespace

TEST(RunAsync, CallbackOrDeadlineEndsTheProcessWithOneWholeResult)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();

    CliOutcome outcome = cli.run({"timeout", cli.resultFile()}, 20000, probe);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.result, timedOut);

    outcome = cli.run({"callback", cli.resultFile()}, 20000, probe);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.result, "SUCCESS: callback");

    // The callback and the deadline land together: exactly one of them writes, whole.
    for (int attempt = 0; attempt < 8; ++attempt) {
        outcome = cli.run({"race", cli.resultFile()}, 20000, probe);
        EXPECT_EQ(outcome.exitCode, 0);
        ASSERT_TRUE(outcome.result);
        EXPECT_TRUE(*outcome.result == "SUCCESS: callback" || *outcome.result == timedOut)
            << outcome.result->toStdString();
    }
}
