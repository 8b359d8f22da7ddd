// The "tasks.json" format both ways, and what happens to a file that does not read.
#include "DamagedValues.h"
#include "TestFiles.h"
#include "data/TaskStore.h"
#include "support/TempHome.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> keys(const Json &object)
{
    std::vector<std::string> result;
    for (const auto &[key, value] : object.items())
        result.push_back(key);
    return result;
}

const QByteArray handWritten = R"([
  {
    "tasks": [
      {
        "extra": {"ignored": true},
        "createdAt": "2026-03-01T08:00:00Z",
        "done": true,
        "title": "数学｜P12",
        "completedAt": "2026-03-02T09:30:05Z",
        "id": "0f8fad5b-d9cb-469f-a165-70867728950e",
        "due": null,
        "note": null,
        "source": "命令导入"
      },
      {"id": "7C9E6679-7425-40DE-944B-E07FC1F90AE7", "title": "英语", "done": false,
       "due": "2026-03-05T15:59:00Z", "createdAt": "2026-03-01T08:00:01Z", "note": "背单词"}
    ],
    "name": "3.5作业",
    "createdAt": "2026-03-01T07:59:59Z",
    "id": "A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11"
  }
])";

QByteArray withReplaced(const char *from, const char *to)
{
    QByteArray bytes = handWritten;
    return bytes.replace(from, to);
}

} // namespace

TEST(TaskListsFile, WrittenWithKeysInTableOrderUpperCaseIdsAndWholeSecondUtcDates)
{
    TempHome home;
    QDir().mkpath(home.dataFolder());
    TaskStore store(home.dataFolder());
    const QDateTime due = QDateTime(QDate(2026, 3, 5), QTime(23, 59, 30, 750), Qt::UTC);
    store.add({"数学｜P12", "英语"}, "3.5作业", due, "IMG_0001.HEIC");
    store.add({"体育"}, "3.5作业");
    const TaskList added = *store.list("3.5作业");
    for (const TaskItem &task : added.tasks) {
        if (task.title == "数学｜P12")
            store.toggle(task.id, "3.5作业");
    }
    store.add({}, "3.5作业");

    const QByteArray bytes = readFile(home.dataFolder() + "/tasks.json");
    EXPECT_TRUE(bytes.startsWith("[\n  {\n    \"id\": ")) << "pretty-printed, one member per line";
    const Json file = Json::parse(bytes.toStdString());
    ASSERT_EQ(file.size(), 1u);
    const Json &list = file[0];
    EXPECT_EQ(keys(list), (std::vector<std::string>{"id", "name", "createdAt", "tasks"}));
    const QRegularExpression upperUuid(
        "^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
    const QRegularExpression isoUtc("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$");
    EXPECT_TRUE(upperUuid.match(QString::fromStdString(list["id"])).hasMatch());
    EXPECT_TRUE(isoUtc.match(QString::fromStdString(list["createdAt"])).hasMatch());

    const Json &tasks = list["tasks"];
    ASSERT_EQ(tasks.size(), 3u);
    // In entry order: open entries first, an undated one placed by its title; then the done one.
    EXPECT_EQ(tasks[0]["title"], "体育");
    EXPECT_EQ(keys(tasks[0]), (std::vector<std::string>{"id", "title", "done", "createdAt"}));
    EXPECT_EQ(tasks[1]["title"], "英语");
    EXPECT_EQ(keys(tasks[1]),
              (std::vector<std::string>{"id", "title", "done", "due", "createdAt", "source"}));
    EXPECT_EQ(tasks[1]["due"], "2026-03-05T23:59:30Z") << "the fraction is dropped";
    EXPECT_TRUE(upperUuid.match(QString::fromStdString(tasks[1]["id"])).hasMatch());
    EXPECT_EQ(keys(tasks[2]),
              (std::vector<std::string>{"id", "title", "done", "due", "createdAt", "completedAt",
                                        "source"}));
    EXPECT_EQ(tasks[2]["done"], true);
    EXPECT_TRUE(isoUtc.match(QString::fromStdString(tasks[2]["completedAt"])).hasMatch());
}

TEST(TaskListsFile, ReadsKeysInAnyOrderNullOptionalsUnknownKeysAndLowerCaseIds)
{
    TempHome home;
    writeFile(home.dataFolder() + "/tasks.json", handWritten);
    const TaskStore store(home.dataFolder());
    ASSERT_EQ(store.lists().size(), 1);
    const TaskList &list = store.lists().first();
    EXPECT_EQ(list.name, "3.5作业");
    EXPECT_EQ(list.id, QUuid("{a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11}"));
    EXPECT_EQ(list.createdAt, QDateTime(QDate(2026, 3, 1), QTime(7, 59, 59), Qt::UTC));
    ASSERT_EQ(list.tasks.size(), 2);
    const TaskItem &done = list.tasks[0];
    EXPECT_EQ(done.id, QUuid("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
    EXPECT_TRUE(done.done);
    EXPECT_FALSE(done.due) << "null reads as absent";
    EXPECT_FALSE(done.note);
    EXPECT_EQ(done.completedAt, QDateTime(QDate(2026, 3, 2), QTime(9, 30, 5), Qt::UTC));
    EXPECT_EQ(done.source, "命令导入");
    EXPECT_EQ(list.tasks[1].due, QDateTime(QDate(2026, 3, 5), QTime(15, 59), Qt::UTC));
    EXPECT_EQ(list.tasks[1].note, "背单词");
    EXPECT_FALSE(list.tasks[1].source);
    EXPECT_EQ(list.remaining(), 1);
}

TEST(TaskListsFile, TextsThatNeedEscapingReadBackUnchanged)
{
    TempHome home;
    QDir().mkpath(home.dataFolder());
    const QString awkward =
        QString::fromUtf8("引号\"反斜杠\\ 换行\n 制表\t 控制\x01\x1f 表情😀 /斜杠");
    {
        TaskStore store(home.dataFolder());
        store.add({awkward}, awkward, std::nullopt, awkward);
        TaskItem noted = store.list(awkward)->tasks.first();
        noted.note = awkward;
        store.update(noted, awkward);
    }
    const QByteArray bytes = readFile(home.dataFolder() + "/tasks.json");
    EXPECT_TRUE(bytes.contains(R"(\"反斜杠\\ 换行\n 制表\t 控制\u0001\u001f 表情😀 /斜杠)"))
        << bytes.toStdString();
    EXPECT_TRUE(Json::accept(bytes.toStdString()));
    const std::optional<TaskList> list = TaskStore(home.dataFolder()).list(awkward);
    ASSERT_TRUE(list);
    // Names and titles are kept as single lines; notes and sources exactly.
    const QString oneLine =
        QString::fromUtf8("引号\"反斜杠\\ 换行  制表\t 控制\x01\x1f 表情😀 /斜杠");
    EXPECT_EQ(list->name, oneLine);
    EXPECT_EQ(list->tasks.first().title, oneLine);
    EXPECT_EQ(list->tasks.first().note, awkward);
    EXPECT_EQ(list->tasks.first().source, awkward);
}

TEST(TaskListsFile, ADeviationCostsOnlyItsOwnEntryOrListAndTheFileIsKeptAside)
{
    // An entry that deviates or does not read is left out alone: the other entry of the list
    // stays. Damage in a member the list can do without costs nothing but the member.
    struct Row {
        std::string name;
        QByteArray bytes;
        qsizetype entriesLeft = 1;
    };
    std::vector<Row> rows = {
        {"entry without done", withReplaced("\"done\": true,", "")},
        {"done as a string", withReplaced("\"done\": true", "\"done\": \"true\"")},
        {"title null", withReplaced("\"title\": \"英语\"", "\"title\": null")},
        {"date with a space", withReplaced("2026-03-05T15:59:00Z", "2026-03-05 15:59:00Z")},
        {"date with a fraction", withReplaced("2026-03-05T15:59:00Z", "2026-03-05T15:59:00.5Z")},
        {"date with an offset", withReplaced("2026-03-05T15:59:00Z", "2026-03-05T15:59:00+08:00")},
        {"date that does not exist", withReplaced("2026-03-05T15:59:00Z", "2026-02-30T15:59:00Z")},
        {"date with a five-digit year",
         withReplaced("2026-03-05T15:59:00Z", "10000-01-01T04:59:00Z")},
        {"date with a negative year", withReplaced("2026-03-05T15:59:00Z", "-001-12-31T16:00:00Z")},
        {"date as a number", withReplaced("\"2026-03-05T15:59:00Z\"", "794419140")},
        {"UUID without dashes",
         withReplaced("7C9E6679-7425-40DE-944B-E07FC1F90AE7", "7C9E6679742540DE944BE07FC1F90AE7")},
        {"UUID with braces",
         withReplaced("\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\"",
                      "\"{7C9E6679-7425-40DE-944B-E07FC1F90AE7}\"")},
    };
    for (const auto &[name, value] : damagedValues()) {
        rows.push_back({std::string("entry: ") + name,
                        withReplaced("\"title\": \"英语\"", "\"title\": " + value)});
        rows.push_back(
            {std::string("list: ") + name,
             withReplaced("\"name\": \"3.5作业\",", "\"name\": \"3.5作业\", \"x\": " + value + ","),
             2});
    }
    for (const auto &[name, bytes, entriesLeft] : rows) {
        TempHome home;
        writeFile(home.dataFolder() + "/tasks.json", bytes);
        TaskStore store(home.dataFolder());
        ASSERT_EQ(store.lists().size(), 1) << name;
        EXPECT_EQ(store.lists()[0].tasks.size(), entriesLeft) << name;

        // The next save keeps the file as it was aside, so what was left out is not lost.
        store.add({"物理"}, "3.5作业");
        const QStringList aside = keptAside(home.dataFolder(), "tasks.json");
        ASSERT_EQ(aside.size(), 1) << name;
        EXPECT_EQ(readFile(home.dataFolder() + "/" + aside.first()), bytes) << name;
        EXPECT_EQ(TaskStore(home.dataFolder()).list("3.5作业")->tasks.size(), entriesLeft + 1)
            << name;
    }

    // A list that deviates goes with its entries; a file that is no array of lists reads empty.
    const std::vector<std::pair<const char *, QByteArray>> brokenList = {
        {"list without tasks", withReplaced("\"tasks\"", "\"entries\"")},
        {"list without a name", withReplaced("\"name\": \"3.5作业\",", "")},
        {"top level object", "{}"},
        {"not JSON", "[{"},
        {"empty file", ""},
        {"a hundred thousand brackets, never closed", QByteArray(100000, '[')},
    };
    for (const auto &[name, bytes] : brokenList) {
        TempHome home;
        writeFile(home.dataFolder() + "/tasks.json", bytes);
        EXPECT_TRUE(TaskStore(home.dataFolder()).lists().isEmpty()) << name;
    }

    // Something that is no entry at all is passed over too.
    TempHome home;
    writeFile(home.dataFolder() + "/tasks.json", withReplaced("\"tasks\": [", "\"tasks\": [1,"));
    EXPECT_EQ(TaskStore(home.dataFolder()).lists()[0].tasks.size(), 2);
}

TEST(TaskListsFile, AnUnreadableFileIsKeptAsideBeforeTheFirstSaveOverIt)
{
    TempHome home;
    const QString file = home.dataFolder() + "/tasks.json";
    const QByteArray newerFormat = R"({"version": 2, "lists": []})";
    writeFile(file, newerFormat);

    TaskStore store(home.dataFolder());
    store.load();
    EXPECT_TRUE(store.lists().isEmpty());
    EXPECT_TRUE(keptAside(home.dataFolder(), "tasks.json").isEmpty()) << "reading moves nothing";
    EXPECT_EQ(readFile(file), newerFormat);

    store.add({"数学｜P12"}, "作业");
    const QStringList aside = keptAside(home.dataFolder(), "tasks.json");
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(QRegularExpression("^tasks\\.json\\.unreadable-\\d{8}T\\d{6}Z$")
                    .match(aside.first())
                    .hasMatch());
    EXPECT_EQ(readFile(home.dataFolder() + "/" + aside.first()), newerFormat);
    EXPECT_EQ(TaskStore(home.dataFolder()).lists().size(), 1);

    // A second unreadable file within the same second gets its own name.
    writeFile(file, "not json");
    TaskStore(home.dataFolder()).add({"x"}, "y");
    EXPECT_EQ(keptAside(home.dataFolder(), "tasks.json").size(), 2);
}

TEST(TaskListsFile, AFolderThatCannotHoldTheFileLosesNothingInMemory)
{
    TempHome home;
    writeFile(home.path() + "/blocked", "a file where the data folder should be");
    TaskStore store(home.path() + "/blocked");
    QSignalSpy failed(&store, &TaskStore::saveFailed);
    EXPECT_EQ(store.add({"数学"}, "作业").added, 1);
    EXPECT_EQ(store.list("作业")->tasks.size(), 1);
    EXPECT_EQ(readFile(home.path() + "/blocked"), "a file where the data folder should be");
    // Said, not hidden: the caller learns that the change lives in memory only.
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(
        failed[0][0].toString().startsWith("未能保存到 " + home.path() + "/blocked/tasks.json"));
    EXPECT_EQ(store.saveError(), failed[0][0].toString());
    EXPECT_FALSE(store.save());
    store.add({"英语"}, "作业");
    EXPECT_EQ(failed.size(), 3);
    EXPECT_EQ(store.list("作业")->tasks.size(), 2);

    // Once the folder can hold the file, the next change saves everything kept in memory.
    QFile::remove(home.path() + "/blocked");
    store.toggle(store.list("作业")->tasks[0].id, "作业");
    EXPECT_FALSE(store.saveError());
    EXPECT_EQ(TaskStore(home.path() + "/blocked").list("作业")->tasks.size(), 2);
}
