// Two stores on one folder, as the window and a command-line run have it: nothing may be lost.
#include "TestFiles.h"
#include "data/FileLock.h"
#include "data/TaskStore.h"
#include "support/TempHome.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QStringList allTitles(const TaskStore &store)
{
    QStringList result;
    for (const TaskList &list : store.lists()) {
        for (const TaskItem &task : list.tasks)
            result.append(list.name + "/" + task.title);
    }
    result.sort();
    return result;
}

} // namespace

TEST(SharedStoreFile, EveryChangeReloadsWhatAnotherStoreSavedFirst)
{
    TempHome home;
    QDir().mkpath(home.dataFolder());
    TaskStore window(home.dataFolder());
    TaskStore commandLine(home.dataFolder());

    window.add({"a"}, "L");
    commandLine.add({"b"}, "L");
    commandLine.add({"c"}, "M");

    QSignalSpy changed(&window, &TaskStore::listsChanged);
    window.toggle(window.list("L")->tasks.first().id, "L");
    EXPECT_EQ(changed.count(), 1) << "the reload and the toggle, published together";
    EXPECT_EQ(allTitles(window), QStringList({"L/a", "L/b", "M/c"}));
    EXPECT_EQ(allTitles(TaskStore(home.dataFolder())), QStringList({"L/a", "L/b", "M/c"}));
    EXPECT_TRUE(TaskStore(home.dataFolder()).list("L")->tasks.first().done);
}

TEST(SharedStoreFile, AnIdleStoreReloadsAChangeOnDiskAndKeepsItsListsOverABrokenOne)
{
    TempHome home;
    QDir().mkpath(home.dataFolder());
    TaskStore window(home.dataFolder());
    QSignalSpy changed(&window, &TaskStore::listsChanged);

    TaskStore(home.dataFolder()).add({"from elsewhere"}, "L");
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(allTitles(window), QStringList({"L/from elsewhere"}));

    // Someone leaves a file this version cannot read: the lists stay, the file is kept aside.
    const QString file = home.dataFolder() + "/tasks.json";
    writeFile(file, "{\"version\": 2}");
    EXPECT_FALSE(changed.wait(1000));
    EXPECT_EQ(allTitles(window), QStringList({"L/from elsewhere"}));
    window.add({"mine"}, "L");
    EXPECT_EQ(keptAside(home.dataFolder(), "tasks.json").size(), 1);
    EXPECT_EQ(allTitles(TaskStore(home.dataFolder())), QStringList({"L/from elsewhere", "L/mine"}));
}

TEST(SharedStoreFile, ObserversHearOfAChangeAfterTheLockIsLetGo)
{
    TempHome home;
    QDir().mkpath(home.dataFolder());
    TaskStore store(home.dataFolder());
    int heardWithLockFree = 0;
    QObject::connect(&store, &TaskStore::listsChanged, [&] {
        if (FileLock(store.file() + ".lock", std::chrono::milliseconds(0)).held())
            ++heardWithLockFree;
        if (store.lists().first().tasks.size() == 1)
            store.add({"follow-up"}, "L");
    });
    store.add({"first"}, "L");
    EXPECT_EQ(heardWithLockFree, 2);
    EXPECT_EQ(allTitles(TaskStore(home.dataFolder())), QStringList({"L/first", "L/follow-up"}));
}
