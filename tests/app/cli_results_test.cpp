// The result text of every command-line action, on the app's own lists and on the Reminders
// folder, run through the built executable one row after another in one home, as the driving
// program runs them.
#include "CliProcess.h"
#include "data/TaskStore.h"
#include "support/LocalZone.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <span>

namespace {

// A task that starts with "--" is run as those arguments, any other as the drop file.
struct Row {
    const char *name;
    const char *task;
    const char *result;
};

void expectResults(const CliProcess &cli, std::span<const Row> rows)
{
    for (const Row &row : rows) {
        const QByteArray task(row.task);
        const bool flags = task.startsWith("--");
        QFile::remove(cli.resultFile());
        if (!flags)
            cli.writeDropFile(task);
        const CliOutcome outcome =
            cli.run(flags ? QString::fromUtf8(task).split(u' ') : QStringList());
        EXPECT_TRUE(outcome.finished && outcome.exitCode == 0) << row.name;
        EXPECT_EQ(outcome.result.value_or("(no result file)").toStdString(), row.result)
            << row.name;
        EXPECT_TRUE(flags || !QFile::exists(cli.dropFile())) << row.name << ": not consumed";
    }
}

} // namespace

TEST(CliResults, EveryActionGivesItsResultText)
{
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    CliProcess cli(home);
    cli.createToolsFolder();

    const Row appLists[] = {
        {"no list yet; unknown keys hold anything",
         R"({"action":"dump","x":1e400,"y":[-1e-400,{"z":"\"1e400"}]})", "共 0 个清单:\n"},
        {"no list yet, by flag", "--dump 作业", "未找到清单「作业」。现有: (空)"},
        {"write", R"({"action":"write","items":["数学｜P12"]})",
         "SUCCESS: 已写入 1/1 条到 App 清单「作业」"},
        {"the same title again", R"({"action":"write","items":["数学｜P12"]})",
         "SUCCESS: 已写入 0/1 条到 App 清单「作业」（跳过 1 条已存在）"},
        {"line breaks become spaces",
         R"({"action":"write","list":"作业\n","items":["数学\n P12\r\n1-5题"]})",
         "SUCCESS: 已写入 1/1 条到 App 清单「作业」"},
        {"and then match", R"({"action":"write","list":"作业\n","items":["数学\n P12\r\n1-5题"]})",
         "SUCCESS: 已写入 0/1 条到 App 清单「作业」（跳过 1 条已存在）"},
        {"titles trimmed, blank ones left out",
         R"({"action":"write","list":"3.15作业","due":"2026-03-15T18:00",)"
         R"("items":["英语"," 英语 ",""],"target":"app"})",
         "SUCCESS: 已写入 1/3 条到 App 清单「3.15作业」（跳过 1 条已存在）"},
        {"a due of another form is none; an unknown target is the app",
         R"({"action":"write","list":"L","due":"2026-03-15 18:00","items":["a"],"target":"x"})",
         "SUCCESS: 已写入 1/1 条到 App 清单「L」"},
        {"no items", R"({"action":"write","list":"M","items":[]})", "ERROR: items 为空"},
        {"items missing", R"({"action":"write","list":"M"})", "ERROR: items 为空"},
        {"one list", "--dump 作业",
         "清单「作业」共 2 条（2 未完成）:\n  [ ] 数学  P12 1-5题\n  [ ] 数学｜P12\n"},
        {"with a due time", "--dump 3.15作业",
         "清单「3.15作业」共 1 条（1 未完成）:\n  [ ] 英语  截止:2026-03-15 18:00\n"},
        {"without one", "--dump L", "清单「L」共 1 条（1 未完成）:\n  [ ] a\n"},
        {"a refused write made no list", "--dump M", "未找到清单「M」。现有: 作业 / 3.15作业 / L"},
        {"delete matches titles as written",
         R"({"action":"delete","list":"作业","items":["数学｜P12"," 数学  P12 1-5题"]})",
         "SUCCESS: 已从 App 清单「作业」删除 1 条"},
        {"delete without a list", R"({"action":"delete","items":["a"]})", "未找到清单「」"},
        {"delete without items", R"({"action":"delete","list":"作业"})", "ERROR: items 为空"},
    };
    expectResults(cli, appLists);
    EXPECT_EQ(TaskStore(home.dataFolder()).list("作业")->tasks.value(0).source, "命令导入");

    {
        // Twin titles, which only the window makes, and a done entry.
        TaskStore store(home.dataFolder());
        store.add({"A", "B", "C"}, "其他");
        TaskItem twin = store.list("其他")->tasks[2];
        twin.title = "A";
        store.update(twin, "其他");
        store.toggle(store.list("其他")->tasks[1].id, "其他");
    }
    const Row twins[] = {
        {"done entries are marked", "--dump 其他",
         "清单「其他」共 3 条（2 未完成）:\n  [ ] A\n  [x] B\n  [ ] A\n"},
        {"a line-broken name shows on one line", R"({"action":"dump","list":"其他\n"})",
         "清单「其他」共 3 条（2 未完成）:\n  [ ] A\n  [x] B\n  [ ] A\n"},
        {"delete removes every entry of a title",
         R"({"action":"delete","list":"其他\r\n","items":["A"]})",
         "SUCCESS: 已从 App 清单「其他」删除 2 条"},
        {"every list", R"({"action":"dump","list":""})",
         "共 4 个清单:\n  · 作业  1 待办 / 1 总计\n  · 3.15作业  1 待办 / 1 总计\n"
         "  · L  1 待办 / 1 总计\n  · 其他  0 待办 / 1 总计\n"},
    };
    expectResults(cli, twins);

    const char *remindersWrite =
        R"({"action":"write","target":"reminders","list":"作业",)"
        R"("due":"2026-03-15T18:00","items":["数学｜P12","  语文｜背诵 ","\t"]})";
    const Row reminders[] = {
        {"write", remindersWrite, "SUCCESS: 已写入 2/3 条到提醒事项清单「作业」"},
        {"the same titles again", remindersWrite,
         "SUCCESS: 已写入 0/3 条到提醒事项清单「作业」（跳过 2 条已存在）"},
        {"no list is 作业; a due of another form is none",
         R"({"action":"write","target":"reminders","due":"2026-03-15 18:00","items":["英语"]})",
         "SUCCESS: 已写入 1/1 条到提醒事项清单「作业」"},
        {"line breaks become spaces",
         R"({"action":"write","target":"reminders","list":"周末\n","items":["春游\n野餐"]})",
         "SUCCESS: 已写入 1/1 条到提醒事项清单「周末」"},
        {"one list", R"({"action":"dump","target":"reminders","list":"作业"})",
         "清单「作业」共 3 条:\n  · 数学｜P12  截止:2026-03-15 18:00  完成:false\n"
         "  · 英语  截止:无  完成:false\n  · 语文｜背诵  截止:2026-03-15 18:00  完成:false\n"},
        {"a line-broken title", R"({"action":"dump","target":"reminders","list":"周末"})",
         "清单「周末」共 1 条:\n  · 春游 野餐  截止:无  完成:false\n"},
        {"a missing list", R"({"action":"dump","target":"reminders","list":"物理"})",
         "未找到清单「物理」或清单为空。现有清单: 作业 / 周末"},
        {"the flag always means the app's lists", "--dump 周末",
         "未找到清单「周末」。现有: 作业 / 3.15作业 / L / 其他"},
        {"delete",
         R"({"action":"delete","target":"reminders","list":"作业","items":["英语","没有"]})",
         "SUCCESS: 已从提醒事项「作业」删除 1 条"},
        {"delete in a missing list",
         R"({"action":"delete","target":"reminders","list":"没有","items":["英语"]})",
         "SUCCESS: 已从提醒事项「没有」删除 0 条"},
        {"write without items", R"({"action":"write","target":"reminders","list":"空","items":[]})",
         "ERROR: items 为空"},
        {"delete without items", R"({"action":"delete","target":"reminders","list":"作业"})",
         "ERROR: items 为空"},
        {"what is left", R"({"action":"dump","target":"reminders","list":"作业"})",
         "清单「作业」共 2 条:\n  · 数学｜P12  截止:2026-03-15 18:00  完成:false\n"
         "  · 语文｜背诵  截止:2026-03-15 18:00  完成:false\n"},
    };
    expectResults(cli, reminders);
    EXPECT_EQ(QDir(home.dataFolder() + "/Reminders").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"作业", "周末"}));

    const Row intake[] = {
        {"recognition without an image", R"({"action":"ocr"})", "ERROR: 缺少图片路径"},
        {"an unknown action", R"({"action":"remove","items":["x"]})",
         "ERROR: 未知 action「remove」"},
        {"an image that is not there", "--ocr /nonexistent/missing.jpg",
         "== OCR 0 行 ==\n\n\n== 解析 0 条 ==\n清单名: (未识别到日期)\n"},
    };
    expectResults(cli, intake);
}
