#include "app/CliTask.h"

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
    const auto task = CliTask::decode(R"({"action":"dump","path":null,"list":null,"due":null,"items":null,"target":null})");
    ASSERT_TRUE(task);
    EXPECT_FALSE(task->path || task->list || task->due || task->items || task->target);
    EXPECT_FALSE(task->targetsReminders());
    EXPECT_FALSE(CliTask::decode(R"({"action":"dump","target":"app"})")->targetsReminders());
    EXPECT_FALSE(CliTask::decode(R"({"action":"dump","target":"Reminders"})")->targetsReminders());
}

TEST(CliTaskDecoding, AnyWrongTypeOrMissingActionFailsTheWholeTask)
{
    for (const char *json : {
             R"({"list":"作业"})",                          // no action
             R"({"action":null})",                          // null action
             R"({"action":7})",
             R"({"action":"ocr","path":5})",
             R"({"action":"write","items":"数学"})",         // a string, not an array
             R"({"action":"write","items":["a",null]})",    // an element of the wrong type
             R"({"action":"write","items":["a",1]})",
             R"({"action":"dump","target":true})",
             R"({"action":"write","due":{}})",
             R"(["action","ocr"])",
             R"("ocr")",
             R"({"action":"ocr")",                          // truncated
             "",
             "\xff\xfe{",
         }) {
        EXPECT_FALSE(CliTask::decode(json)) << json;
    }
}
