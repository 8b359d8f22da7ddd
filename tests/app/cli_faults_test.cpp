// Bad input and a hostile environment, met by the built executable: nothing is lost and nothing
// is reported as done that was not. One test per fault.
#include "CliProcess.h"
#include "bridges/reminders_calls.h"
#include "data/TaskStore.h"
#include "support/LocalZone.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace reminders_test;

namespace {

QString remindersList(const TempHome &home, const QString &name)
{
    return home.dataFolder() + "/Reminders/" + name;
}

} // namespace

TEST(CliFaults, ADueTimeIsKeptOnTheLocalClockAndOneNoStoreCanKeepIsRefused)
{
    TempHome home;
    CliProcess cli(home);
    ASSERT_EQ(cli.runTask(R"({"action":"write","items":["语文"]})"),
              "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
    {
        // In New York the last minute of 9999 is already in the year 10000 in UTC.
        LocalZone newYork("America/New_York");
        for (const QByteArray target : {"app", "reminders"}) {
            EXPECT_EQ(
                cli.runTask(
                    R"({"action":"write","due":"9999-12-31T23:59","items":["数学"],"target":")" +
                    target + "\"}"),
                "ERROR: 截止时间「9999-12-31T23:59」超出可保存的范围（公元 1 年至 9999 年）")
                << target.constData();
        }
        EXPECT_EQ(cli.runTask(R"({"action":"write","due":"9999-12-31T18:00","items":["数学"]})"),
                  "SUCCESS: 已写入 1/1 条到 App 清单「作业」");
        // A time the clocks skip is kept, an hour on, in every store.
        for (const QByteArray target : {"app", "reminders"}) {
            EXPECT_TRUE(
                cli.runTask(R"({"action":"write","list":"3.8作业","due":"2026-03-08T02:30",)"
                            R"("items":["跳过的时刻"],"target":")" +
                            target + "\"}")
                    ->startsWith("SUCCESS: "))
                << target.constData();
        }
        EXPECT_TRUE(
            cli.run({"--dump", "3.8作业"}).result.value_or("").contains("截止:2026-03-08 03:30"));
    }
    {
        // In Shanghai the first minute of year 1 is still in year 0 in UTC.
        LocalZone shanghai("Asia/Shanghai");
        EXPECT_TRUE(cli.runTask(R"({"action":"write","due":"0001-01-01T00:00","items":["英语"]})")
                        ->startsWith("ERROR: "));
    }
    EXPECT_EQ(cli.run({"--dump", "作业"}).result.value_or("").count("\n  [ ] "), 2)
        << "both stored entries read back";
    EXPECT_TRUE(QDir(home.dataFolder()).entryList({"*.unreadable-*"}).isEmpty())
        << "the file stayed readable";
    EXPECT_TRUE(icsFiles(remindersList(home, "作业")).isEmpty());
}

TEST(CliFaults, OtherProgramsDueTimesReadAsTheirClocksMeanThem)
{
    TempHome home;
    CliProcess cli(home);
    LocalZone newYork("America/New_York");
    const QString folder = remindersList(home, "外来");
    writeFile(folder + "/displayname", "外来");
    const auto todo = [&](const char *uid, const QByteArray &due) {
        writeFile(
            folder + "/" + uid + ".ics",
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:" + QByteArray(uid) +
                "\r\nSUMMARY:" + uid + "\r\n" + due + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    };
    // Times the clocks skip take the offset before the gap, as RFC 5545 reads them: an hour on
    // in New York, half an hour on in Lord Howe's 30-minute shift.
    todo("floating-gap", "DUE:20260308T023000");
    todo("zoned-gap", "DUE;TZID=America/New_York:20260308T023000");
    todo("half-hour-gap", "DUE;TZID=Australia/Lord_Howe:20261004T021500");
    todo("repeated", "DUE;TZID=America/New_York:20261101T013000");
    todo("day", "DUE;VALUE=DATE:20260317");
    const QString dump =
        cli.runTask(R"({"action":"dump","target":"reminders","list":"外来"})").value_or("");
    EXPECT_TRUE(dump.contains("· floating-gap  截止:2026-03-08 03:30")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("· zoned-gap  截止:2026-03-08 03:30"));
    // 02:15 at +10:30 is 15:45 UTC the day before, 11:45 in New York.
    EXPECT_TRUE(dump.contains("· half-hour-gap  截止:2026-10-03 11:45"));
    EXPECT_TRUE(dump.contains("· repeated  截止:2026-11-01 01:30"));
    EXPECT_TRUE(dump.contains("· day  截止:2026-03-17  完成:false"));
}

TEST(CliFaults, ANonRegularDropFileNeverBlocksTheStart)
{
    TempHome home;
    CliProcess cli(home);
    cli.createToolsFolder();
    ASSERT_EQ(::mkfifo(QFile::encodeName(cli.dropFile()).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    const CliOutcome outcome = cli.run({"--dump", "作业"}, 20000);
    EXPECT_TRUE(outcome.finished);
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_EQ(outcome.result, "未找到清单「作业」。现有: (空)");
}

TEST(CliFaults, AnOversizedDropFileIsAnErrorAndIsConsumed)
{
    TempHome home;
    CliProcess cli(home);
    cli.writeDropFile(QByteArray(16 * 1024 * 1024 + 1, ' '));
    const CliOutcome outcome = cli.run({});
    EXPECT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.result, "ERROR: 任务文件超过 16 MiB，未读取：" + cli.dropFile());
    EXPECT_FALSE(QFile::exists(cli.dropFile()));
}
