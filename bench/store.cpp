// Prints what the whole-file stores cost at a size a heavy user reaches: a task store of 10,000
// entries over 20 lists and a full history of 300 records. Every change rewrites the whole file,
// so `add` and `toggle` measure one reload check plus one save. Then the entry order alone on
// 100,000 titles given ascending and descending (`bench/store order` runs only that part), and
// the encoder of tasks.json against nlohmann's tree at 10,000 entries. Runs in a temporary folder.
#include "data/EntryOrder.h"
#include "data/HistoryJson.h"
#include "data/HistoryStore.h"
#include "data/JsonFields.h"
#include "data/TaskListsJson.h"
#include "data/TaskStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int listCount = 20;
constexpr int entriesPerList = 500;
constexpr int rounds = 7;
const QString subjects[] = {"语文", "数学", "英语", "物理", "化学", "生物", "历史", "地理"};

QString title(int n)
{
    return subjects[n % 8] +
        QStringLiteral("｜练习册 P%1 第%2-%3题，订正错题并签字")
            .arg(n)
            .arg(n % 9 + 1)
            .arg(n % 9 + 6);
}

QList<TaskList> taskLists()
{
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-30);
    QList<TaskList> lists;
    for (int l = 0; l < listCount; ++l) {
        TaskList list;
        list.name = QStringLiteral("%1.%2作业").arg(l % 12 + 1).arg(l + 1);
        for (int e = 0; e < entriesPerList; ++e) {
            TaskItem task;
            task.title = title(l * entriesPerList + e);
            task.createdAt = start;
            task.source = QStringLiteral("IMG_%1.HEIC").arg(l, 4, 10, QLatin1Char('0'));
            if (e % 2 == 0)
                task.due = start.addSecs(e * 3600);
            if (e % 3 == 0) {
                task.done = true;
                task.completedAt = start.addDays(1);
            }
            list.tasks.append(task);
        }
        lists.append(list);
    }
    return lists;
}

QList<HistoryRecord> historyRecords()
{
    QList<HistoryRecord> records;
    for (int r = 0; r < HistoryStore::capacity; ++r) {
        HistoryRecord record;
        record.listName = QStringLiteral("%1.%2作业").arg(r % 12 + 1).arg(r % 28 + 1);
        record.imagePath = QStringLiteral("/home/student/Pictures/作业/IMG_%1.HEIC").arg(r);
        for (int i = 0; i < 8; ++i)
            record.items.append(title(r * 8 + i));
        record.written = 8;
        records.append(record);
    }
    return records;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Median and worst of `rounds` runs of `work`: elapsed time, and the CPU time the process used,
// which other load on the machine disturbs less.
template <typename Work>
void report(const char *what, Work work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        const double cpuStart = processCpuMs();
        timer.start();
        work(i);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(processCpuMs() - cpuStart);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf(
        "  %-20s elapsed median %6.1f ms, worst %6.1f ms;  CPU median %6.1f ms, worst %6.1f ms\n",
        what, wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2], cpu.back());
}

void printSize(const QString &file)
{
    std::printf("  %-20s %.2f MB\n", "file size",
                double(QFileInfo(file).size()) / (1024.0 * 1024.0));
}

// Entries with distinct undated titles, in code-point order or its reverse.
QList<TaskItem> orderedEntries(int count, bool descending)
{
    QList<TaskItem> entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        TaskItem task;
        task.title =
            QStringLiteral("练习 %1").arg(descending ? count - i : i, 6, 10, QLatin1Char('0'));
        entries.append(task);
    }
    return entries;
}

void reportEntryOrder()
{
    constexpr int count = 100000;
    for (const bool descending : {false, true}) {
        const QList<TaskItem> entries = orderedEntries(count, descending);
        QElapsedTimer timer;
        timer.start();
        QList<TaskItem> sorted = entries;
        sortEntries(sorted);
        std::printf("  entry order of %d titles %-10s %8.1f ms\n", count,
                    descending ? "descending" : "ascending", double(timer.nsecsElapsed()) / 1e6);
    }
}

// The same document as TaskListsJson::encode, through an nlohmann tree.
QByteArray encodedThroughTree(const QList<TaskList> &lists)
{
    using namespace JsonFields;
    Json array = Json::array();
    for (const TaskList &list : lists) {
        Json tasks = Json::array();
        for (const TaskItem &task : list.tasks) {
            Json object = {
                {"id", uuidText(task.id)}, {"title", utf8(task.title)}, {"done", task.done}};
            if (task.due)
                object["due"] = isoDateTimeText(*task.due);
            object["createdAt"] = isoDateTimeText(task.createdAt);
            if (task.completedAt)
                object["completedAt"] = isoDateTimeText(*task.completedAt);
            if (task.source)
                object["source"] = utf8(*task.source);
            tasks.push_back(std::move(object));
        }
        array.push_back({{"id", uuidText(list.id)},
                         {"name", utf8(list.name)},
                         {"createdAt", isoDateTimeText(list.createdAt)},
                         {"tasks", std::move(tasks)}});
    }
    return prettyText(array);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("entry order:\n");
    reportEntryOrder();
    if (argc > 1 && QByteArrayView(argv[1]) == "order")
        return 0;
    {
        const QList<TaskList> lists = taskLists();
        std::printf("tasks.json encoder, %d entries:\n", listCount * entriesPerList);
        report("JsonWriter", [&](int) { TaskListsJson::encode(lists); });
        report("nlohmann tree", [&](int) { encodedThroughTree(lists); });
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    const QString dir = home.path() + "/Slatebook";
    QDir().mkpath(dir);

    writeFile(dir + "/tasks.json", TaskListsJson::encode(taskLists()));
    std::printf("tasks.json: %d entries over %d lists\n", listCount * entriesPerList, listCount);
    printSize(dir + "/tasks.json");
    report("load at creation", [&](int) { TaskStore store(dir); });
    TaskStore store(dir);
    const QString target = store.lists()[listCount / 2].name;
    report("add of 50 titles", [&](int round) {
        QStringList titles;
        for (int i = 0; i < 50; ++i)
            titles.append(QStringLiteral("新任务 %1-%2").arg(round).arg(i));
        store.add(titles, target);
    });
    report("toggle", [&](int round) {
        store.toggle(store.lists()[round].tasks[round].id, store.lists()[round].name);
    });

    writeFile(dir + "/history.json", HistoryJson::encode(historyRecords()));
    std::printf("history.json: %lld records of 8 titles\n",
                static_cast<long long>(HistoryStore::capacity));
    printSize(dir + "/history.json");
    report("load at creation", [&](int) { HistoryStore history; });
    HistoryStore history;
    const HistoryRecord newest = historyRecords().first();
    report("add (trims to 300)", [&](int) { history.add(newest); });
    return 0;
}
