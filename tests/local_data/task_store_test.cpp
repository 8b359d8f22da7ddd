// TaskStore's operations on real files in a temporary data folder.
#include "TestFiles.h"
#include "data/TaskStore.h"
#include "support/TempHome.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A fresh data folder for one test.
struct Folder {
    TempHome home;
    QString path = home.dataFolder();
    Folder() { QDir().mkpath(path); }
    QString tasksFile() const { return path + "/tasks.json"; }
};

QStringList titles(const TaskList &list)
{
    QStringList result;
    for (const TaskItem &task : list.tasks)
        result.append(task.title);
    return result;
}

TaskItem entry(const TaskStore &store, const QString &listName, const QString &title)
{
    const TaskList list = *store.list(listName);
    for (const TaskItem &task : list.tasks) {
        if (task.title == title)
            return task;
    }
    throw std::runtime_error("no such entry");
}

QDateTime at(int day, int hour)
{
    return QDateTime(QDate(2030, 1, day), QTime(hour, 0), Qt::UTC);
}

} // namespace

TEST(TaskStore, AddTrimsBlanksSkipsDuplicatesAndCountsNoEmptyTitles)
{
    Folder folder;
    TaskStore store(folder.path);
    QSignalSpy changed(&store, &TaskStore::listsChanged);

    const auto result =
        store.add({" 数学｜P12\u3000", "数学｜P12", "", "\t"}, "作业", at(5, 15), "photo.jpg");
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(changed.count(), 1);
    ASSERT_TRUE(store.list("作业"));
    EXPECT_EQ(titles(*store.list("作业")), QStringList({"数学｜P12"}));
    const TaskItem task = store.list("作业")->tasks.first();
    EXPECT_EQ(task.due, at(5, 15));
    EXPECT_EQ(task.source, "photo.jpg");
    EXPECT_FALSE(task.done);
    EXPECT_FALSE(task.note);
    EXPECT_TRUE(TaskStore(folder.path).list("作业")) << "saved";

    // A done entry and a canonically equivalent title count as present; line breaks become
    // spaces, in titles and list names alike.
    store.toggle(task.id, "作业");
    const auto again =
        store.add({"数学｜P12", "Cafe\u0301", "Caf\u00e9", "a\r\nb\u2028", "a b"}, "作业\n");
    EXPECT_EQ(again.added, 2);
    EXPECT_EQ(again.skipped, 3);
    EXPECT_TRUE(store.list("作业")->tasks.contains(entry(store, "作业", "a b")));
    EXPECT_EQ(store.lists().size(), 1);
    EXPECT_EQ(store.deleteTitles({"a\nb"}, "作业"), 1);

    // The same title in another list is a different entry.
    EXPECT_EQ(store.add({"数学｜P12"}, "其他").added, 1);
}

TEST(TaskStore, AddPutsTheListInOrderEvenWithoutTitles)
{
    Folder folder;
    TaskStore store(folder.path);
    EXPECT_EQ(store.add({}, "空").added, 0);
    EXPECT_TRUE(TaskStore(folder.path).list("空")) << "created and saved";

    // Open before done, then the earlier due time, then the title.
    store.add({"late"}, "L", at(9, 8));
    store.add({"z-early", "a-early"}, "L", at(2, 8));
    store.add({"done-first"}, "L", at(1, 8));
    store.toggle(entry(store, "L", "done-first").id, "L");
    EXPECT_EQ(titles(*store.list("L")).first(), "done-first")
        << "toggle leaves a ticked entry in place";
    store.add({}, "L");
    EXPECT_EQ(titles(*store.list("L")), QStringList({"a-early", "z-early", "late", "done-first"}));
}

TEST(TaskStore, ToggleUpdateAndDeleteActOnTheEntryWithThatId)
{
    Folder folder;
    TaskStore store(folder.path);
    store.add({"a", "b"}, "L");
    const QUuid a = entry(store, "L", "a").id;

    store.toggle(a, "L");
    EXPECT_TRUE(entry(store, "L", "a").done);
    ASSERT_TRUE(entry(store, "L", "a").completedAt);
    EXPECT_LE(entry(store, "L", "a").completedAt->secsTo(QDateTime::currentDateTimeUtc()), 5);
    store.toggle(a, "L");
    EXPECT_FALSE(entry(store, "L", "a").done);
    EXPECT_FALSE(entry(store, "L", "a").completedAt);

    // Nothing found: nothing saved, nothing published.
    const QByteArray before = readFile(folder.tasksFile());
    QSignalSpy changed(&store, &TaskStore::listsChanged);
    store.toggle(QUuid::createUuid(), "L");
    store.toggle(a, "M");
    TaskItem stranger;
    stranger.title = "x";
    store.update(stranger, "L");
    store.deleteTask(a, "M");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(readFile(folder.tasksFile()), before);

    TaskItem edited = entry(store, "L", "a");
    edited.title = "a2";
    edited.note = "备注";
    edited.due = at(3, 9);
    store.update(edited, "L");
    EXPECT_EQ(entry(store, "L", "a2"), edited);
    EXPECT_EQ(entry(TaskStore(folder.path), "L", "a2").note, "备注") << "saved";

    store.deleteTask(a, "L");
    EXPECT_EQ(titles(*store.list("L")), QStringList({"b"}));
}

TEST(TaskStore, ClearCompletedReturnsTheCountAndLeavesTheOpenEntriesInOrder)
{
    Folder folder;
    TaskStore store(folder.path);
    store.add({"a", "b", "c", "d", "e"}, "L");
    for (const char *title : {"a", "c", "e"})
        store.toggle(entry(store, "L", title).id, "L");
    EXPECT_EQ(store.clearCompleted("L"), 3);
    EXPECT_EQ(titles(*TaskStore(folder.path).list("L")), QStringList({"b", "d"}));

    const QByteArray before = readFile(folder.tasksFile());
    EXPECT_EQ(store.clearCompleted("M"), 0);
    EXPECT_EQ(readFile(folder.tasksFile()), before);
}

TEST(TaskStore, RenameToATakenNameFindsTheEarlierListAndDeleteListRemovesBoth)
{
    Folder folder;
    TaskStore store(folder.path);
    store.add({"first"}, "A");
    store.add({"second"}, "B");
    store.rename("B", "A");
    store.rename("missing", "C");
    EXPECT_EQ(store.lists().size(), 2);
    EXPECT_EQ(titles(*store.list("A")), QStringList({"first"}));
    EXPECT_EQ(store.index("A"), 0);
    EXPECT_EQ(store.ensureList("A"), 0);

    // Names match as canonically equivalent texts.
    EXPECT_EQ(store.ensureList("Cafe\u0301"), 2);
    EXPECT_EQ(store.index("Caf\u00e9"), 2);

    store.deleteList("A");
    EXPECT_EQ(store.lists().size(), 1);
    EXPECT_EQ(TaskStore(folder.path).lists().size(), 1);
}

TEST(TaskStore, PendingEntriesAndCounts)
{
    Folder folder;
    TaskStore store(folder.path);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    store.add({"future", "done future"}, "A", now.addDays(2));
    store.toggle(entry(store, "A", "done future").id, "A");
    store.add({"past"}, "A", now.addSecs(-60));
    store.add({"undated"}, "A");
    store.add({"soon"}, "B", now.addSecs(3600));

    const QList<TaskStore::PendingTask> pending = store.allPending();
    ASSERT_EQ(pending.size(), 2);
    EXPECT_EQ(pending[0].title, "future");
    EXPECT_EQ(pending[0].listName, "A");
    EXPECT_EQ(pending[0].due, now.addDays(2));
    EXPECT_EQ(pending[1].id, entry(store, "B", "soon").id);
    EXPECT_EQ(store.list("A")->remaining(), 3);
    EXPECT_EQ(store.list("A")->progress(), 0.25);

    // Open entries without a due time or due on today's local date.
    Folder other;
    TaskStore today(other.path);
    const QDate date = QDate::currentDate();
    today.add({"undated", "done"}, "C");
    today.toggle(entry(today, "C", "done").id, "C");
    today.add({"early today"}, "C", QDateTime(date, QTime(0, 0, 1)));
    today.add({"tomorrow"}, "C", QDateTime(date.addDays(1), QTime(0, 0, 1)));
    EXPECT_EQ(today.todayPending(), 2);
}
