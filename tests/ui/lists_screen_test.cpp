#include "AlertAnswerer.h"
#include "ImportScreenDriver.h"
#include "Named.h"
#include "ScreenHarness.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "support/PrivateMounts.h"

#include "bridges/notifications/NotificationRequests.h"
#include "ui/glass/ElidedLabel.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/lists/ImportFromRemindersSheet.h"
#include "ui/lists/ListsSidebar.h"
#include "ui/lists/ListsView.h"
#include "ui/lists/NewListPrompt.h"
#include "ui/lists/TaskListModel.h"
#include "ui/lists/TaskRowDelegate.h"
#include "ui/lists/VisibleTasks.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Filter = VisibleTasks::Filter;

QDateTime tomorrowAt(int hour)
{
    return QDateTime(QDate::currentDate().addDays(1), QTime(hour, 0));
}

TaskItem entry(const QString &title, bool done = false, std::optional<QDateTime> due = std::nullopt)
{
    TaskItem task;
    task.title = title;
    task.done = done;
    task.due = due;
    return task;
}

QStringList titlesOf(const QList<TaskItem> &tasks)
{
    QStringList titles;
    for (const TaskItem &task : tasks)
        titles.append(task.title);
    return titles;
}

TEST(VisibleTasksTest, FiltersSearchesAndOrdersLikeTheList)
{
    const QDateTime early = tomorrowAt(8), late = tomorrowAt(20);
    const QList<TaskItem> tasks = {
        entry(QStringLiteral("语文 背诵")),
        entry(QStringLiteral("math p3"), false, late),
        entry(QStringLiteral("英语 听写"), true),
        entry(QStringLiteral("物理 实验"), false, early),
        entry(QStringLiteral("Math 订正"), true, early),
        entry(QStringLiteral("化学 预习")),
    };
    // Open first; among them dated first, earlier first; then titles in plain order.
    EXPECT_EQ(
        titlesOf(VisibleTasks::of(tasks, Filter::All, {})),
        (QStringList{"物理 实验", "math p3", "化学 预习", "语文 背诵", "Math 订正", "英语 听写"}));
    EXPECT_EQ(titlesOf(VisibleTasks::of(tasks, Filter::Done, {})),
              (QStringList{"Math 订正", "英语 听写"}));
    EXPECT_EQ(titlesOf(VisibleTasks::of(tasks, Filter::Todo, QStringLiteral("MATH"))),
              QStringList{"math p3"});
    EXPECT_EQ(titlesOf(VisibleTasks::of(tasks, Filter::All, QStringLiteral("math"))),
              (QStringList{"math p3", "Math 订正"}));
    EXPECT_TRUE(VisibleTasks::of(tasks, Filter::All, QStringLiteral("生物")).isEmpty());
}

class ListsScreenTest : public ::testing::Test {
protected:
    void open()
    {
        view = std::make_unique<ListsView>(harness.shared());
        view->resize(900, 640);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        return named<T>(view, name);
    }
    QString label(const char *name) const { return find<QLabel>(name)->text(); }

    void addList(const QString &name, const QList<TaskItem> &tasks)
    {
        harness.store.ensureList(name);
        for (const TaskItem &task : tasks) {
            harness.store.addTask(task.title, task.due, name);
            if (task.done)
                harness.store.toggle(stored(name, task.title).id, name);
        }
    }

    TaskItem stored(const QString &list, const QString &title) const
    {
        const std::optional<TaskList> found = harness.store.list(list);
        for (const TaskItem &task : found->tasks) {
            if (task.title == title)
                return task;
        }
        ADD_FAILURE() << "no entry " << title.toStdString();
        return {};
    }

    QStringList notifiedIds()
    {
        QStringList ids;
        for (const NotificationRequest &request : harness.pendingNotifications()) {
            if (NotificationRequests::isDue(request.identifier))
                ids.append(request.identifier);
        }
        return ids;
    }

    QString dueId(const QString &list, const QString &title) const
    {
        return NotificationRequests::dueIdentifier(stored(list, title).id);
    }

    // Clicks the circle or the trash can of the visible entry with that title.
    void clickRow(const QString &title, bool trash)
    {
        const int row = int(titlesOf(view->visibleTasks()).indexOf(title));
        ASSERT_GE(row, 0) << title.toStdString();
        QListView *list = find<QListView>("taskView");
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        const QRect button =
            trash ? TaskRowDelegate::trashRect(rect) : TaskRowDelegate::circleRect(rect);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, button.center());
    }

    // Types into the new-entry field and presses Return.
    void addByKeyboard(const QString &text)
    {
        auto *field = find<QLineEdit>("addField");
        ImportScreenDriver::type(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    bool showsStatus(const QString &status)
    {
        return waitUntil([&] { return view->status() == status; }, 5000);
    }

    ScreenHarness harness;
    std::unique_ptr<ListsView> view;
};

TEST_F(ListsScreenTest, AddingTrimsSchedulesAndReportsThePendingCount)
{
    const QString list = QStringLiteral("3.15作业");
    addList(list, {});
    open();
    EXPECT_EQ(view->currentName(), list);
    EXPECT_EQ(label("listNameLabel"), list);
    EXPECT_FALSE(find("addDueEdit")->isEnabled());
    ImportScreenDriver::type(find("addField"), QStringLiteral("   "));
    EXPECT_FALSE(find("addButton")->isEnabled());

    // Return in the field adds; the status counts pending notifications even without a due time.
    find<QLineEdit>("addField")->clear();
    addByKeyboard(QStringLiteral("  数学 p12 "));
    EXPECT_EQ(harness.titlesIn(list), QStringList{"数学 p12"});
    EXPECT_TRUE(find<QLineEdit>("addField")->text().isEmpty());
    ASSERT_TRUE(showsStatus(QStringLiteral("已安排 0 条到期提醒"))) << view->status().toStdString();

    // With "截止" on, the new entry gets a notification; the due settings stay for the next one.
    QTest::mouseClick(find("addDueCheck"), Qt::LeftButton);
    find<QDateTimeEdit>("addDueEdit")->setDateTime(tomorrowAt(20));
    ImportScreenDriver::type(find("addField"), QStringLiteral("语文 背诵"));
    QTest::mouseClick(find("addButton"), Qt::LeftButton);
    ASSERT_TRUE(showsStatus(QStringLiteral("已安排 1 条到期提醒")));
    EXPECT_EQ(stored(list, QStringLiteral("语文 背诵")).due, tomorrowAt(20));
    EXPECT_TRUE(find<QCheckBox>("addDueCheck")->isChecked());

    // A title the list holds already adds nothing, but that entry is notified at the chosen time.
    addByKeyboard(QStringLiteral("数学 p12"));
    EXPECT_EQ(harness.store.list(list)->tasks.size(), 2);
    ASSERT_TRUE(showsStatus(QStringLiteral("已安排 2 条到期提醒")));
    EXPECT_TRUE(notifiedIds().contains(dueId(list, QStringLiteral("数学 p12"))));
}

TEST_F(ListsScreenTest, HeaderCountsProgressFilterAndSearch)
{
    addList(QStringLiteral("数学作业"),
            {entry(QStringLiteral("math p3")), entry(QStringLiteral("数学 订正"), true),
             entry(QStringLiteral("口算 两页"), false, tomorrowAt(7))});
    open();
    EXPECT_EQ(label("countsLabel"), QStringLiteral("2 待办 / 3 总计"));
    EXPECT_EQ(label("progressLabel"), QStringLiteral("完成 33%"));
    EXPECT_EQ(find<QProgressBar>("progressBar")->value(), 333);
    EXPECT_EQ(titlesOf(view->visibleTasks()), (QStringList{"口算 两页", "math p3"}));

    auto *filter = find<SegmentedControl>("filterControl");
    QTest::mouseClick(filter, Qt::LeftButton, {}, filter->segmentRect(2).center());
    EXPECT_EQ(view->filter(), Filter::All);
    auto *search = find<QLineEdit>("searchField");
    ImportScreenDriver::type(search, QStringLiteral("MATH"));
    EXPECT_EQ(titlesOf(view->visibleTasks()), QStringList{"math p3"});
    // A search that hides everything shows the filter's message, not a search message.
    search->clear();
    ImportScreenDriver::type(search, QStringLiteral("英语"));
    EXPECT_TRUE(view->visibleTasks().isEmpty());
    EXPECT_TRUE(find("emptyTasksLabel")->isVisible());
    EXPECT_EQ(label("emptyTasksLabel"), QStringLiteral("这个清单是空的"));
    search->clear();

    // Ticking everything off empties "未完成"; "已完成" then lists all three.
    view->setFilter(Filter::Todo);
    clickRow(QStringLiteral("math p3"), false);
    ASSERT_TRUE(waitUntil([&] { return view->visibleTasks().size() == 1; }, 5000));
    clickRow(QStringLiteral("口算 两页"), false);
    ASSERT_TRUE(waitUntil([&] { return view->visibleTasks().isEmpty(); }, 5000));
    EXPECT_EQ(label("emptyTasksLabel"), QStringLiteral("没有未完成的条目，很轻松"));
    EXPECT_EQ(label("progressLabel"), QStringLiteral("完成 100%"));
    EXPECT_EQ(label("countsLabel"), QStringLiteral("0 待办 / 3 总计"));

    // "清理已完成" empties the list; "已完成" then has nothing.
    QTest::mouseClick(find("clearCompletedButton"), Qt::LeftButton);
    EXPECT_EQ(view->status(), QStringLiteral("已清理 3 条"));
    view->setFilter(Filter::Done);
    EXPECT_EQ(label("emptyTasksLabel"), QStringLiteral("还没有完成的条目"));
    EXPECT_EQ(label("progressLabel"), QStringLiteral("完成 0%"));
}

// Each click on an entry's circle or trash can, and the due notifications it leaves.
TEST_F(ListsScreenTest, TickingReopeningAndDeletingKeepNotificationsInStep)
{
    const QString list = QStringLiteral("3.15作业");
    const QString dated = QStringLiteral("语文 背诵"), undated = QStringLiteral("美术 画画");
    addList(list, {entry(dated, false, tomorrowAt(20)), entry(undated, true)});
    harness.notify.reschedule(harness.store.allPending());
    const QStringList datedOnly = {dueId(list, dated)};
    ASSERT_EQ(notifiedIds(), datedOnly);
    open();
    view->setFilter(Filter::All);

    const struct {
        const char *name;
        QString title;
        bool doneAfter;
        QStringList notified;
    } clicks[] = {
        {"ticking an open entry cancels its notification", dated, true, {}},
        {"reopening a dated entry schedules it again", dated, false, datedOnly},
        {"reopening an undated one schedules nothing", undated, false, datedOnly},
    };
    for (const auto &click : clicks) {
        SCOPED_TRACE(click.name);
        clickRow(click.title, false);
        ASSERT_TRUE(
            waitUntil([&] { return stored(list, click.title).done == click.doneAfter; }, 5000));
        EXPECT_EQ(notifiedIds(), click.notified);
    }

    // The trash can deletes without asking, notification and all.
    clickRow(dated, true);
    ASSERT_TRUE(waitUntil([&] { return harness.store.list(list)->tasks.size() == 1; }, 5000));
    EXPECT_TRUE(notifiedIds().isEmpty());
    EXPECT_EQ(titlesOf(view->visibleTasks()), QStringList{undated});
}

TEST_F(ListsScreenTest, TheKeyboardAddsTicksAndDeletesEntries)
{
    const QString list = QStringLiteral("3.15作业");
    addList(list, {entry(QStringLiteral("语文 背诵")), entry(QStringLiteral("数学 p12"))});
    open();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    auto *tasks = find<QListView>("taskView");
    addByKeyboard(QStringLiteral("英语 听写"));
    EXPECT_EQ(titlesOf(view->visibleTasks()), (QStringList{"数学 p12", "英语 听写", "语文 背诵"}));

    // From the add field: the due box, then (date and add button disabled) the entries.
    QTest::keyClick(find("addField"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), find("addDueCheck"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), tasks);
    EXPECT_EQ(tasks->currentIndex().row(), 0);

    // Space ticks the entry (it leaves the open entries); the next one takes its place.
    QTest::keyClick(tasks, Qt::Key_Down);
    QTest::keyClick(tasks, Qt::Key_Space);
    EXPECT_TRUE(stored(list, QStringLiteral("英语 听写")).done);
    ASSERT_TRUE(tasks->currentIndex().isValid());
    EXPECT_EQ(view->visibleTasks().at(tasks->currentIndex().row()).title,
              QStringLiteral("语文 背诵"));
    // Delete removes the entry the keyboard is on.
    QTest::keyClick(tasks, Qt::Key_Delete);
    EXPECT_FALSE(harness.titlesIn(list).contains(QStringLiteral("语文 背诵")));
    EXPECT_EQ(titlesOf(view->visibleTasks()), QStringList{"数学 p12"});
    EXPECT_TRUE(tasks->currentIndex().isValid());

    // Past the entries: the bottom bar's buttons.
    QTest::keyClick(tasks, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), find("clearCompletedButton"));
}

TEST_F(ListsScreenTest, ALongListNameEndsWithAnEllipsisAndShowsWholeAsTooltip)
{
    const QString name = QStringLiteral(
        "三年级二班寒假语文数学英语综合实践作业清单（第一周到第四周，含周末阅读与每日口算练习）");
    addList(name, {entry(QStringLiteral("语文 背诵"))});
    open();
    auto *label = find<ElidedLabel>("listNameLabel");
    EXPECT_EQ(label->text(), name);
    EXPECT_TRUE(label->shownText().endsWith(QStringLiteral("…")))
        << label->shownText().toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->shownText()),
              label->contentsRect().width());
    EXPECT_EQ(label->toolTip(), name);

    // Wide enough again: the whole name, no tooltip needed.
    harness.store.rename(name, QStringLiteral("3.15作业"));
    EXPECT_EQ(label->shownText(), QStringLiteral("3.15作业"));
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST_F(ListsScreenTest, NewRenameAndDeleteList)
{
    const QString list = QStringLiteral("3.15作业");
    addList(list,
            {entry(QStringLiteral("语文 背诵"), false, tomorrowAt(20)),
             entry(QStringLiteral("数学 p3"), true, tomorrowAt(21))});
    harness.notify.reschedule(harness.store.allPending());
    // A done entry whose notification was left behind.
    harness.notify.schedule(stored(list, QStringLiteral("数学 p3")).id, QStringLiteral("数学 p3"),
                            list, tomorrowAt(21));
    open();

    // "+" proposes today's default name; "创建" trims it and selects the new list; a blank name
    // creates nothing.
    QTest::mouseClick(find("newListButton"), Qt::LeftButton);
    EXPECT_EQ(find<NewListPrompt>("newListPrompt")->name(),
              harness.settings.defaultListName(QDateTime::currentDateTime()));
    for (const QString &typed : {QStringLiteral("  周末作业 "), QStringLiteral("   ")}) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last prompt
        view->newList();
        auto *prompt = find<NewListPrompt>("newListPrompt");
        named<QLineEdit>(prompt, "newListNameField")->setText(typed);
        QTest::mouseClick(named<QPushButton>(prompt, "newListCreateButton"), Qt::LeftButton);
        EXPECT_EQ(view->currentName(), QStringLiteral("周末作业"));
        EXPECT_EQ(harness.store.lists().size(), 2);
    }
    EXPECT_EQ(find<QListWidget>("listsWidget")->currentItem()->text(), QStringLiteral("周末作业"));

    // Choosing a list in the sidebar.
    find<QListWidget>("listsWidget")->setCurrentRow(0);
    ASSERT_TRUE(waitUntil([&] { return view->currentName() == list; }, 5000));

    // Rename: the alert offers the name; unchanged, blank or cancelled input changes nothing.
    auto seen = answerNextAlert(QStringLiteral("保存"));
    view->renameList();
    EXPECT_EQ(seen->texts.value(0), QStringLiteral("重命名清单"));
    EXPECT_EQ(seen->fieldText, list);
    EXPECT_EQ(seen->buttons, (QStringList{"取消", "保存"}));
    const struct {
        const char *name;
        QString button;
        QString typed;
        QString after;
    } renames[] = {
        {"blank", QStringLiteral("保存"), QStringLiteral("   "), list},
        {"cancelled", QStringLiteral("取消"), QStringLiteral("别的名字"), list},
        {"trimmed", QStringLiteral("保存"), QStringLiteral(" 3.15 作业 "),
         QStringLiteral("3.15 作业")},
    };
    for (const auto &rename : renames) {
        SCOPED_TRACE(rename.name);
        answerNextAlert(rename.button, rename.typed);
        view->renameList();
        EXPECT_EQ(view->currentName(), rename.after);
        EXPECT_TRUE(harness.store.list(rename.after));
    }
    EXPECT_FALSE(harness.store.list(list));

    // Delete: "取消" keeps it; "删除" cancels every entry's notification, done ones too.
    seen = answerNextAlert(QStringLiteral("取消"));
    view->deleteList();
    EXPECT_EQ(seen->texts.mid(0, 2),
              (QStringList{"删除清单「3.15 作业」？", "清单里的 2 条作业会一起删除，不可撤销。"}));
    EXPECT_TRUE(harness.store.list(QStringLiteral("3.15 作业")));
    EXPECT_EQ(notifiedIds().size(), 2);
    answerNextAlert(QStringLiteral("删除"));
    view->deleteList();
    EXPECT_FALSE(harness.store.list(QStringLiteral("3.15 作业")));
    EXPECT_TRUE(notifiedIds().isEmpty());
    EXPECT_EQ(view->currentName(), QStringLiteral("周末作业"));

    // Deleting the only list leaves the empty state, where adding does nothing.
    answerNextAlert(QStringLiteral("删除"));
    view->deleteList();
    EXPECT_TRUE(harness.store.lists().isEmpty());
    EXPECT_EQ(view->currentName(), std::nullopt);
    EXPECT_TRUE(find("listsEmptyState")->isVisible());
    EXPECT_FALSE(find("listsDetail")->isVisible());
    EXPECT_EQ(label("noListsLabel"), QStringLiteral("还没有清单"));
    find<QLineEdit>("addField")->setText(QStringLiteral("数学 p12"));
    view->addEntry();
    EXPECT_TRUE(harness.store.lists().isEmpty());
}

TEST_F(ListsScreenTest, ExportsToRemindersAndReportsSkippedOrFailed)
{
    addList(QStringLiteral("3.15作业"),
            {entry(QStringLiteral("语文 背诵"), false, tomorrowAt(20)),
             entry(QStringLiteral("数学 p3"), true), entry(QStringLiteral("英语 听写"))});
    addList(QStringLiteral("周末"), {entry(QStringLiteral("体育 跳绳"))});
    bool written = false;
    harness.service.writeRaw({{QStringLiteral("数学 p3"), std::nullopt}},
                             QStringLiteral("3.15作业"), true,
                             [&](const WriteResult &) { written = true; });
    ASSERT_TRUE(waitUntil([&] { return written; }, 10000));
    open();

    QAction *exportList = find<QMenu>("remindersMenu")->actions().value(0);
    ASSERT_NE(exportList, nullptr);
    EXPECT_EQ(exportList->text(), QStringLiteral("导出本清单到提醒事项"));
    // A file where the Reminders folder belongs: no access.
    const QString root = harness.home.dataFolder() + QStringLiteral("/Reminders");
    const auto blockFolder = [&] {
        ASSERT_TRUE(QDir(root).removeRecursively());
        QFile blocker(root);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    };
    const struct {
        const char *name;
        QString list;
        std::function<void()> before;
        QString status;
        qsizetype files;
    } exports[] = {
        {"one already there", QStringLiteral("3.15作业"), [] {},
         QStringLiteral("已导出 2 条到提醒事项（跳过 1 条已有）"), 3},
        {"all new", QStringLiteral("周末"), [] {}, QStringLiteral("已导出 1 条到提醒事项"), 1},
        {"no access", QStringLiteral("周末"), blockFolder,
         QStringLiteral("导出失败：") +
             SlateError::noAccess(VdirReminderStore(root).noAccessReason()).description,
         0},
    };
    for (const auto &each : exports) {
        SCOPED_TRACE(each.name);
        view->select(each.list);
        each.before();
        exportList->trigger();
        EXPECT_TRUE(showsStatus(each.status)) << view->status().toStdString();
        EXPECT_EQ(harness.reminderFiles(each.list).size(), each.files);
    }
}

class ImportSheetTest : public ListsScreenTest {
protected:
    void writeReminders(const QList<ReminderEntry> &entries, const QString &list)
    {
        bool done = false;
        harness.service.writeRaw(entries, list, false, [&](const WriteResult &) { done = true; });
        ASSERT_TRUE(waitUntil([&] { return done; }, 10000));
    }

    ImportFromRemindersSheet *openSheet()
    {
        view->openImportSheet();
        ImportFromRemindersSheet *sheet =
            named<ImportFromRemindersSheet>(view, "importFromRemindersSheet");
        EXPECT_NE(sheet, nullptr);
        return sheet;
    }
};

TEST_F(ImportSheetTest, PreselectsTheHomeworkListAndTicksCompletedRemindersToo)
{
    writeReminders({{QStringLiteral("洗碗"), std::nullopt}}, QStringLiteral("家务"));
    writeReminders({{QStringLiteral("数学 p3"), std::nullopt},
                    {QStringLiteral("语文 背诵"), tomorrowAt(19)},
                    {QStringLiteral("英语 听写"), tomorrowAt(21)}},
                   QStringLiteral("数学作业"));
    // Complete one of them in the Reminders store.
    bool loaded = false;
    QList<ReminderRow> rows;
    harness.service.rows(QStringLiteral("数学作业"),
                         [&](QList<ReminderRow> r) { rows = r, loaded = true; });
    ASSERT_TRUE(waitUntil([&] { return loaded; }, 10000));
    bool completed = false;
    for (const ReminderRow &row : rows) {
        if (row.title == QStringLiteral("数学 p3"))
            harness.service.setCompleted(row.id, true, [&](bool) { completed = true; });
    }
    ASSERT_TRUE(completed);
    addList(QStringLiteral("3.15作业"), {});
    open();

    ImportFromRemindersSheet *sheet = openSheet();
    ASSERT_TRUE(waitUntil([&] { return sheet->rows().size() == 3 && !sheet->isLoading(); }, 10000));
    EXPECT_EQ(sheet->source(), QStringLiteral("数学作业"));
    EXPECT_EQ(named<QComboBox>(sheet, "sourcePicker")->currentText(), QStringLiteral("数学作业"));
    EXPECT_EQ(named<QComboBox>(sheet, "sourcePicker")->count(), 3);
    EXPECT_EQ(sheet->info(), QStringLiteral("共 3 条"));
    EXPECT_EQ(sheet->selectedIds().size(), 3);
    EXPECT_TRUE(named<QCheckBox>(sheet, "selectAllBox")->isChecked());
    bool sawCompleted = false;
    for (const ReminderRow &row : sheet->rows())
        sawCompleted = sawCompleted || (row.completed && sheet->selectedIds().contains(row.id));
    EXPECT_TRUE(sawCompleted);

    // Unticking one clears "全选"; "全选" off and on ticks none, then all. The rows are laid out
    // by a posted event: a click before that lands on a box of no size.
    QCheckBox *firstBox = sheet->findChildren<QCheckBox *>(QStringLiteral("sheetRowBox")).at(0);
    ASSERT_TRUE(
        waitUntil([&] { return firstBox->isVisible() && !firstBox->size().isEmpty(); }, 10000));
    QTest::mouseClick(firstBox, Qt::LeftButton);
    EXPECT_FALSE(named<QCheckBox>(sheet, "selectAllBox")->isChecked());
    EXPECT_EQ(sheet->findChild<QLabel *>(QStringLiteral("selectedCountLabel"))->text(),
              QStringLiteral("已选 2 条"));
    QTest::mouseClick(named<QCheckBox>(sheet, "selectAllBox"), Qt::LeftButton);
    EXPECT_EQ(sheet->selectedIds().size(), 3);
    QTest::mouseClick(named<QCheckBox>(sheet, "selectAllBox"), Qt::LeftButton);
    EXPECT_TRUE(sheet->selectedIds().isEmpty());
    EXPECT_FALSE(named<QPushButton>(sheet, "sheetImportButton")->isEnabled());

    // "请选择" changes nothing; the other list loads and replaces the rows.
    named<QComboBox>(sheet, "sourcePicker")->setCurrentIndex(0);
    emit named<QComboBox>(sheet, "sourcePicker")->activated(0);
    EXPECT_EQ(sheet->rows().size(), 3);
    sheet->load(QStringLiteral("家务"));
    ASSERT_TRUE(waitUntil([&] { return sheet->rows().size() == 1; }, 10000));
    sheet->load(QStringLiteral("数学作业"));
    ASSERT_TRUE(waitUntil([&] { return sheet->rows().size() == 3; }, 10000));

    // Only blanks as target: "导入" is off.
    named<QLineEdit>(sheet, "targetField")->setText(QStringLiteral("   "));
    EXPECT_FALSE(named<QPushButton>(sheet, "sheetImportButton")->isEnabled());
    named<QLineEdit>(sheet, "targetField")->setText(QStringLiteral(" 数学 "));
    EXPECT_TRUE(named<QPushButton>(sheet, "sheetImportButton")->isEnabled());

    // Two ticked rows, only the later one dated: each keeps its own due time, as open entries,
    // and the dated one is notified.
    int index = 0;
    for (const ReminderRow &row : sheet->rows()) {
        if (row.title == QStringLiteral("语文 背诵"))
            QTest::mouseClick(
                sheet->findChildren<QCheckBox *>(QStringLiteral("sheetRowBox")).at(index),
                Qt::LeftButton);
        ++index;
    }
    EXPECT_EQ(sheet->selectedIds().size(), 2);
    QTest::mouseClick(named<QPushButton>(sheet, "sheetImportButton"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil(
        [&] {
            return named<ImportFromRemindersSheet>(view, "importFromRemindersSheet") == nullptr;
        },
        5000));
    const auto list = harness.store.list(QStringLiteral("数学"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->tasks.size(), 2);
    for (const TaskItem &task : list->tasks) {
        EXPECT_FALSE(task.done) << task.title.toStdString();
        EXPECT_EQ(task.source, QStringLiteral("提醒事项"));
    }
    EXPECT_EQ(stored(QStringLiteral("数学"), QStringLiteral("数学 p3")).due, std::nullopt);
    EXPECT_EQ(stored(QStringLiteral("数学"), QStringLiteral("英语 听写")).due, tomorrowAt(21));
    EXPECT_EQ(notifiedIds(),
              QStringList{dueId(QStringLiteral("数学"), QStringLiteral("英语 听写"))});
}

TEST_F(ImportSheetTest, WithoutAccessSaysSoAndOffersNoList)
{
    const QString root = harness.home.dataFolder() + QStringLiteral("/Reminders");
    QDir().mkpath(harness.home.dataFolder());
    QFile blocker(root);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    addList(QStringLiteral("3.15作业"), {});
    open();
    // The sidebar's link opens it too.
    QTest::mouseClick(named<QPushButton>(view, "sidebarImportButton"), Qt::LeftButton);
    ImportFromRemindersSheet *sheet =
        named<ImportFromRemindersSheet>(view, "importFromRemindersSheet");
    ASSERT_NE(sheet, nullptr);
    // It names the folder to check, as the user writes it.
    const QString shown = QStringLiteral("~") + root.mid(QDir::homePath().size());
    ASSERT_TRUE(waitUntil(
        [&] {
            return sheet->info().startsWith(QStringLiteral("未获得提醒事项访问权限：")) &&
                sheet->info().contains(shown);
        },
        10000))
        << sheet->info().toStdString();
    EXPECT_EQ(named<QComboBox>(sheet, "sourcePicker")->count(), 1);
    EXPECT_FALSE(named<QPushButton>(sheet, "sheetImportButton")->isEnabled());
    QTest::mouseClick(named<QPushButton>(sheet, "sheetCancelButton"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil(
        [&] {
            return named<ImportFromRemindersSheet>(view, "importFromRemindersSheet") == nullptr;
        },
        5000));
    EXPECT_EQ(harness.store.lists().size(), 1);
}

// A save that fails (the data folder on a full disk) stays on screen, whatever the screen reports
// afterwards on its own, until the user acts again or dismisses it; the changes stay in memory
// and reach the file with the first save that finds room.
TEST_F(ListsScreenTest, AFailedSaveStaysOnScreenUntilTheUserActs)
{
    RUN_WITH_PRIVATE_MOUNTS();
    const QString data = harness.home.dataFolder();
    if (!PrivateMounts::mountTmpfs(data, 256))
        GTEST_SKIP() << "mounting a tmpfs is refused here";
    const QString name = QStringLiteral("3.15作业");
    addList(name, {entry(QStringLiteral("语文 背诵"), true), entry(QStringLiteral("物理 实验"))});
    open();
    const QString filler = PrivateMounts::fill(data);
    const QString failure = QStringLiteral("❌ 未能保存到 ") + data + QStringLiteral("/tasks.json");
    QWidget *dismiss = find("dismissFailureButton");
    const auto showsFailure = [&] {
        return view->status().startsWith(failure) && label("listsStatusLabel") == view->status() &&
            dismiss->isVisible();
    };

    addByKeyboard(QStringLiteral("数学 p12"));
    EXPECT_TRUE(showsFailure()) << view->status().toStdString();
    EXPECT_TRUE(titlesOf(view->visibleTasks()).contains(QStringLiteral("数学 p12")));
    // The count of pending notifications that adding asks for comes later; answers come in
    // order, so once this one is here, the screen's has been handled.
    bool counted = false;
    harness.notify.pendingCount([&counted](int) { counted = true; });
    ASSERT_TRUE(waitUntil([&] { return counted; }, 5000));
    QTest::qWait(50);
    EXPECT_TRUE(showsFailure()) << view->status().toStdString();

    QTest::mouseClick(dismiss, Qt::LeftButton);
    EXPECT_EQ(view->status(), QString());
    EXPECT_FALSE(dismiss->isVisible());

    // The action's own result ("已清理 1 条") does not hide that it was not saved.
    QTest::mouseClick(find("clearCompletedButton"), Qt::LeftButton);
    EXPECT_TRUE(showsFailure()) << view->status().toStdString();

    // With room again, the next action saves everything and the failure gives way.
    ASSERT_TRUE(QDir(filler).removeRecursively());
    addByKeyboard(QStringLiteral("英语 听写"));
    ASSERT_TRUE(showsStatus(QStringLiteral("已安排 0 条到期提醒"))) << view->status().toStdString();
    EXPECT_FALSE(dismiss->isVisible());
    QStringList saved = titlesOf(TaskStore(data).list(name)->tasks);
    saved.sort();
    EXPECT_EQ(saved, (QStringList{"数学 p12", "物理 实验", "英语 听写"}));
}

} // namespace
