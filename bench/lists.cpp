// Lists screen with a big list: bench/lists [ENTRIES] fills one list with ENTRIES entries
// (default 2,000; a third done, half dated, some with a source), opens the lists screen on it
// and prints
//   - the time to rebuild the visible entries after each typed search character, and after
//     each change of filter: filtering, sorting and resetting the task list's model, the
//     layout that the reset causes, and the repaint of the list that follows;
//   - the time to scroll the list from top to bottom page by page, per page repainted.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, in a temporary HOME.

#include "bench/BenchHome.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/AtomicWrite.h"
#include "data/DataFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskListsJson.h"
#include "data/TaskStore.h"
#include "ui/lists/ListsView.h"
#include "ui/lists/VisibleTasks.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QStringList homework(int count)
{
    const QStringList subjects = {"语文", "数学", "英语", "物理", "化学", "生物", "历史", "地理"};
    const QStringList tasks = {"背诵第三课",   "练习册 P%1",   "听写单词 Unit %1", "订正试卷",
                               "预习第 %1 节", "完成实验报告", "抄写生字 %1 遍",   "阅读理解两篇"};
    QStringList titles;
    for (int i = 0; i < count; ++i) {
        const QString task = tasks[i % tasks.size()].contains(QStringLiteral("%1"))
            ? tasks[i % tasks.size()].arg(i)
            : tasks[i % tasks.size()] + QString::number(i);
        titles.append(subjects[(i / 3) % subjects.size()] + QStringLiteral("｜") + task);
    }
    return titles;
}

struct Figures {
    std::vector<double> milliseconds;

    void add(double ms) { milliseconds.push_back(ms); }
    double median()
    {
        std::sort(milliseconds.begin(), milliseconds.end());
        return milliseconds.empty() ? 0 : milliseconds[milliseconds.size() / 2];
    }
    double worst() const
    {
        return milliseconds.empty() ? 0
                                    : *std::max_element(milliseconds.begin(), milliseconds.end());
    }
};

// Runs `change`, then lets the view lay out and paint what changed, and the event loop finish
// what that posted (the list lays out its rows in batches); milliseconds in all.
double timed(ListsView &view, const std::function<void()> &change)
{
    QElapsedTimer timer;
    timer.start();
    change();
    view.findChild<QListView *>(QStringLiteral("taskView"))->viewport()->repaint();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    useHome(home.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;

    DataFolder::ensureExists();
    AppSettings settings;
    HistoryStore history;
    RemindersService service;
    NotificationService &notify = NotificationService::instance();

    const QString name = QStringLiteral("期末复习");
    // Written as the file the store reads: a third done, half dated over the weeks around now,
    // the undated half from a photo.
    {
        TaskList list;
        list.name = name;
        const QStringList titles = homework(count);
        const QDateTime base = QDateTime::currentDateTimeUtc().addDays(-3);
        for (int i = 0; i < count; ++i) {
            TaskItem task;
            task.title = titles[i];
            task.done = i % 3 == 0;
            if (i % 2 == 0)
                task.due = base.addSecs(3600LL * 7 * i);
            else
                task.source = QStringLiteral("03-print-photo.jpg");
            list.tasks.append(task);
        }
        writeFileAtomically(DataFolder::path() + QStringLiteral("/tasks.json"),
                            TaskListsJson::encode({list}));
    }
    TaskStore store(DataFolder::path());
    std::printf("list: %lld entries, %d open\n", qint64(store.list(name)->tasks.size()),
                store.list(name)->remaining());

    ListsView view({settings, history, service, store, notify});
    view.resize(880, 700);
    view.show();
    QCoreApplication::processEvents();
    view.setFilter(VisibleTasks::Filter::All);
    QCoreApplication::processEvents();
    auto *search = view.findChild<QLineEdit *>(QStringLiteral("searchField"));

    // Typing a search, one character at a time, then deleting it again.
    Figures typing;
    const QString query = QStringLiteral("数学｜练习册 P1");
    for (int round = 0; round < 5; ++round) {
        for (int length = 1; length <= query.size(); ++length)
            typing.add(timed(view, [&] { search->setText(query.left(length)); }));
        for (int length = int(query.size()) - 1; length >= 0; --length)
            typing.add(timed(view, [&] { search->setText(query.left(length)); }));
    }
    std::printf("search keystroke (filter, sort, model reset, layout, repaint) over %d entries: "
                "median %.2f ms, worst %.2f ms "
                "(%zu keystrokes)\n",
                count, typing.median(), typing.worst(), typing.milliseconds.size());
    // One character that every title holds, and back to no search: all entries each time.
    Figures everything;
    for (int round = 0; round < 20; ++round) {
        everything.add(timed(view, [&] { search->setText(QStringLiteral("｜")); }));
        everything.add(timed(view, [&] { search->clear(); }));
    }
    std::printf(
        "search keystroke that keeps all %d entries visible: median %.2f ms, worst %.2f ms\n",
        count, everything.median(), everything.worst());

    // The model work alone, without widgets.
    Figures model;
    const QList<TaskItem> tasks = store.list(name)->tasks;
    for (int round = 0; round < 50; ++round) {
        QElapsedTimer timer;
        timer.start();
        const QList<TaskItem> visible =
            VisibleTasks::of(tasks, VisibleTasks::Filter::All, QStringLiteral("数"));
        model.add(timer.nsecsElapsed() / 1e6);
        if (visible.isEmpty())
            std::printf("nothing matched\n");
    }
    std::printf("visible entries computed alone (filter and sort of %d): median %.2f ms\n", count,
                model.median());

    Figures filters;
    for (int round = 0; round < 10; ++round) {
        for (VisibleTasks::Filter filter : VisibleTasks::filters())
            filters.add(timed(view, [&] { view.setFilter(filter); }));
    }
    std::printf("filter change: median %.2f ms, worst %.2f ms\n", filters.median(),
                filters.worst());

    view.setFilter(VisibleTasks::Filter::All);
    QCoreApplication::processEvents();
    QScrollBar *bar = view.findChild<QListView *>(QStringLiteral("taskView"))->verticalScrollBar();
    Figures scrolling;
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep())
        scrolling.add(timed(view, [&] { bar->setValue(value); }));
    std::printf(
        "scrolling %lld rows page by page: median %.2f ms, worst %.2f ms per page (%zu pages)\n",
        qint64(view.visibleTasks().size()), scrolling.median(), scrolling.worst(),
        scrolling.milliseconds.size());
    return 0;
}
