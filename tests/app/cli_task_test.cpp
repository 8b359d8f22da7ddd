#include "app/cli/CliTask.h"

#include <gtest/gtest.h>

namespace {

// A decoded task as one line: the action, each field present, and whether it goes to Reminders.
std::string described(const std::optional<CliTask> &task)
{
    if (!task)
        return "refused";
    QString text = task->action;
    const auto field = [&](const char *name, const std::optional<QString> &value) {
        if (value)
            text += QStringLiteral(" %1=%2").arg(QLatin1String(name), *value);
    };
    field("path", task->path);
    field("list", task->list);
    field("due", task->due);
    field("items", task->items ? std::optional(task->items->join(u'|')) : std::nullopt);
    field("target", task->target);
    if (task->targetsReminders())
        text += QStringLiteral(" (reminders)");
    return text.toStdString();
}

} // namespace

TEST(CliTaskDecoding, EveryFieldIsReadStrictlyAndUnknownKeysAreIgnored)
{
    const struct {
        const char *name;
        const char *json;
        const char *task;
    } rows[] = {
        {"every field",
         R"({"action":"write","path":"/a.png","list":"作业","due":"2026-03-15T18:00",)"
         R"("items":["数学｜P12","语文｜背诵"],"target":"reminders","extra":42})",
         "write path=/a.png list=作业 due=2026-03-15T18:00 items=数学｜P12|语文｜背诵 "
         "target=reminders (reminders)"},
        {"null counts as absent",
         R"({"action":"dump","path":null,"list":null,"due":null,"items":null,"target":null})",
         "dump"},
        {"target app", R"({"action":"dump","target":"app"})", "dump target=app"},
        {"target names match exactly", R"({"action":"dump","target":"Reminders"})",
         "dump target=Reminders"},
        {"a huge number in an unknown key", R"({"action":"dump","x":1e400})", "dump"},
        {"a tiny one, and a number as a string", R"({"action":"dump","x":-1e-400,"list":"1e400"})",
         "dump list=1e400"},
        {"numbers nested before the action",
         R"({"x":[1e999,{"y":"\"2e999"}],"action":"dump","list":"1e400 \" 2"})",
         "dump list=1e400 \" 2"},
        {"no action", R"({"list":"作业"})", "refused"},
        {"null action", R"({"action":null})", "refused"},
        {"number action", R"({"action":7})", "refused"},
        {"number path", R"({"action":"ocr","path":5})", "refused"},
        {"items a string", R"({"action":"write","items":"数学"})", "refused"},
        {"a null item", R"({"action":"write","items":["a",null]})", "refused"},
        {"a number item", R"({"action":"write","items":["a",1]})", "refused"},
        {"a known field too large for a double", R"({"action":"dump","list":1e400})", "refused"},
        {"not a JSON number", R"({"action":"dump","x":01})", "refused"},
        {"boolean target", R"({"action":"dump","target":true})", "refused"},
        {"object due", R"({"action":"write","due":{}})", "refused"},
        {"an array", R"(["action","ocr"])", "refused"},
        {"a string", R"("ocr")", "refused"},
        {"truncated", R"({"action":"ocr")", "refused"},
        {"empty", "", "refused"},
        {"not UTF-8", "\xff\xfe{", "refused"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(described(CliTask::decode(row.json)), row.task) << row.name;
}
