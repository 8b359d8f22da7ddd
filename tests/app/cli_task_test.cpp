#include "app/cli/CliTask.h"
#include "support/LocalZone.h"

#include <gtest/gtest.h>

TEST(CliTaskDecoding, ReadsEveryFieldAndIgnoresUnknownKeys)
{
    const auto task = CliTask::decode(R"({"action":"write","path":"/a.png","list":"作业",
        "due":"2026-03-15T18:00","items":["数学｜P12","语文｜背诵"],"target":"reminders","extra":42})");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->action, "write");
    EXPECT_EQ(task->path, "/a.png");
    EXPECT_EQ(task->list, "作业");
    EXPECT_EQ(task->due, "2026-03-15T18:00");
    EXPECT_EQ(task->items, (QStringList{"数学｜P12", "语文｜背诵"}));
    EXPECT_TRUE(task->targetsReminders());
}

TEST(CliTaskDecoding, NullOptionalsCountAsAbsentAndTargetDefaultsToApp)
{
    const auto task = CliTask::decode(
        R"({"action":"dump","path":null,"list":null,"due":null,"items":null,"target":null})");
    ASSERT_TRUE(task);
    EXPECT_FALSE(task->path || task->list || task->due || task->items || task->target);
    EXPECT_FALSE(task->targetsReminders());
    EXPECT_FALSE(CliTask::decode(R"({"action":"dump","target":"app"})")->targetsReminders());
    EXPECT_FALSE(CliTask::decode(R"({"action":"dump","target":"Reminders"})")->targetsReminders());
}

TEST(CliTaskDecoding, AnyWrongTypeOrMissingActionFailsTheWholeTask)
{
    for (const char *json : {
             R"({"list":"作业"})", // no action
             R"({"action":null})", // null action
             R"({"action":7})",
             R"({"action":"ocr","path":5})",
             R"({"action":"write","items":"数学"})",     // a string, not an array
             R"({"action":"write","items":["a",null]})", // an element of the wrong type
             R"({"action":"write","items":["a",1]})",
             R"({"action":"dump","list":1e400})", // too large for a double, and no string
             R"({"action":"dump","x":01})",       // not a JSON number
             R"({"action":"dump","target":true})",
             R"({"action":"write","due":{}})",
             R"(["action","ocr"])",
             R"("ocr")",
             R"({"action":"ocr")", // truncated
             "",
             "\xff\xfe{",
         }) {
        EXPECT_FALSE(CliTask::decode(json)) << json;
    }
}

TEST(CliTaskDecoding, UnknownKeysAreIgnoredWhateverNumberTheyHold)
{
    for (const char *json :
         {R"({"action":"dump","x":1e400})", R"({"action":"dump","x":-1e-400,"list":"1e400"})",
          R"({"x":[1e999,{"y":"\"2e999"}],"action":"dump","list":"1e400"})"}) {
        const auto task = CliTask::decode(json);
        ASSERT_TRUE(task) << json;
        EXPECT_EQ(task->action, "dump");
    }
    EXPECT_EQ(CliTask::decode(R"({"x":[1e999],"action":"dump","list":"1e400 \" 2"})")->list,
              "1e400 \" 2");
}

TEST(CliTaskDecoding, DueTimesOutsideEveryStoreAreTold)
{
    const auto due = [](const char *text) {
        CliTask task;
        task.due = QString::fromLatin1(text);
        return task;
    };
    EXPECT_FALSE(due("2026-03-15T18:00").dueOutOfRange());
    EXPECT_FALSE(due("2026-03-15 18:00").dueOutOfRange())
        << "a text that does not fit is no due time, not an error";
    EXPECT_FALSE(due("0000-01-01T00:00").dueOutOfRange()) << "year 0 names no date in this form";
    LocalZone newYork("America/New_York");
    EXPECT_TRUE(due("9999-12-31T23:59").dueOutOfRange());
    EXPECT_FALSE(due("9999-12-31T18:00").dueOutOfRange());
}
