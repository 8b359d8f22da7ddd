// History screen with a long history: bench/history [RECORDS] writes a history of RECORDS
// records (default 5,000), each with a picture of its own path (hard links to a few generated
// 12-megapixel photos, so every thumbnail is decoded anew), opens the history screen on it and
// prints
//   - the time until the screen is shown and painted, and until the rows in view show their
//     pictures;
//   - resident memory before the screen opens, once its pictures show, and the peak;
//   - the time to scroll to the end page by page, per page repainted, and how much of it the
//     window's thread was working (the rest it waited for a machine busy decoding thumbnails);
//   - the time from closing the screen until the thread pool is idle, that is until the
//     process could quit.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, in a temporary HOME.

#include "bench/BenchHome.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/AtomicWrite.h"
#include "data/DataFolder.h"
#include "data/HistoryJson.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/history/HistoryView.h"
#include "ui/history/RecordRow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int photos = 6;

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// CPU time of the calling thread: the window's own work, whatever else the machine runs.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A photo of a homework sheet as a phone takes it: 4000 × 3000, lines of dark strokes on paper.
void writePhoto(const QString &path, int seed)
{
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor(235 - seed * 5, 230, 215));
    QPainter painter(&photo);
    painter.setPen(QPen(QColor(40, 40, 60), 9));
    for (int y = 200; y < 2900; y += 140) {
        for (int x = 150 + (y * 7 + seed * 31) % 200; x < 3800; x += 260)
            painter.drawLine(x, y, x + 120 + (x * y) % 90, y + (x % 23) - 11);
    }
    painter.end();
    photo.save(path, "JPEG", 85);
}

QList<HistoryRecord> history(int count, const QString &pictures)
{
    QList<HistoryRecord> records;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < count; ++i) {
        HistoryRecord record;
        record.date = now.addSecs(-3600LL * i);
        record.listName = QStringLiteral("%1.%2作业").arg(1 + i % 12).arg(1 + i % 28);
        record.items = {QStringLiteral("语文｜背诵第%1课").arg(i % 30),
                        QStringLiteral("数学｜P%1 1-6题").arg(i % 200),
                        QStringLiteral("英语｜听写 Unit %1").arg(i % 12),
                        QStringLiteral("物理｜整理笔记")};
        record.written = 4;
        record.skipped = i % 3;
        const QString path = pictures + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QChar('0'));
        const QString photo = pictures + QStringLiteral("/photo-%1.jpg").arg(i % photos);
        if (::link(QFile::encodeName(photo), QFile::encodeName(path)) != 0)
            QFile::copy(photo, path);
        record.imagePath = path;
        records.append(record);
    }
    return records;
}

// What a turn of the event loop does after a change: paint, handle what was posted, delete what
// was let go (processEvents alone leaves that to the running loop, which a benchmark has not).
void paint(QWidget &view)
{
    view.repaint();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The rows that lie inside the visible part of the list.
QList<RecordRow *> rowsInView(HistoryView &view)
{
    auto *area = view.findChild<QScrollArea *>(QStringLiteral("recordsScrollArea"));
    const QRect visible = area->viewport()->rect();
    QList<RecordRow *> rows;
    for (RecordRow *row : view.findChildren<RecordRow *>()) {
        const QRect box(row->mapTo(area->viewport(), QPoint(0, 0)), row->size());
        if (row->isVisible() && box.intersects(visible))
            rows.append(row);
    }
    return rows;
}

bool picturesShown(HistoryView &view)
{
    const QList<RecordRow *> rows = rowsInView(view);
    return !rows.isEmpty() && std::none_of(rows.cbegin(), rows.cend(), [](RecordRow *row) {
        return row->showsPlaceholder();
    });
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // figures show as they come, also into a file
    QTemporaryDir home;
    useHome(home.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 5000;

    DataFolder::ensureExists();
    const QString pictures = home.path() + QStringLiteral("/Pictures");
    QDir().mkpath(pictures);
    for (int i = 0; i < photos; ++i)
        writePhoto(pictures + QStringLiteral("/photo-%1.jpg").arg(i), i);
    writeFileAtomically(DataFolder::path() + QStringLiteral("/history.json"),
                        HistoryJson::encode(history(count, pictures)));

    AppSettings settings;
    HistoryStore store(DataFolder::path());
    RemindersService service;
    TaskStore tasks(DataFolder::path());
    NotificationService &notify = NotificationService::instance();
    std::printf("history: %lld records with pictures of 4000 × 3000\n",
                qint64(store.records().size()));
    const double before = residentMegabytes();

    QElapsedTimer timer;
    timer.start();
    const double busyBefore = threadMilliseconds();
    auto *view = new HistoryView({settings, store, service, tasks, notify});
    view->resize(900, 700);
    view->show();
    paint(*view);
    const double shown = timer.nsecsElapsed() / 1e6;
    const double shownBusy = threadMilliseconds() - busyBefore;
    QDeadlineTimer deadline(300000);
    while (!picturesShown(*view) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    const double pictured = timer.nsecsElapsed() / 1e6;
    const double open = residentMegabytes();
    std::printf("screen shown and painted: %.0f ms (the window's thread busy %.0f ms); "
                "pictures of the %lld rows in view: %.0f ms%s\n",
                shown, shownBusy, qint64(rowsInView(*view).size()), pictured,
                picturesShown(*view) ? "" : " (not all shown after 300 s)");
    std::printf("memory: %.0f MB before opening, %.0f MB with the screen open, peak %.0f MB\n",
                before, open, peakMegabytes());

    QScrollBar *bar =
        view->findChild<QScrollArea *>(QStringLiteral("recordsScrollArea"))->verticalScrollBar();
    std::vector<double> pages;
    std::vector<double> working;
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
        QElapsedTimer page;
        page.start();
        const double before = threadMilliseconds();
        bar->setValue(value);
        paint(*view);
        pages.push_back(page.nsecsElapsed() / 1e6);
        working.push_back(threadMilliseconds() - before);
    }
    std::sort(pages.begin(), pages.end());
    std::sort(working.begin(), working.end());
    if (!pages.empty())
        std::printf("scrolling to the end page by page (%zu pages), per page: median %.1f ms, "
                    "worst %.1f ms; the window's thread busy median %.1f ms, worst %.1f ms; "
                    "memory then %.0f MB, peak %.0f MB\n",
                    pages.size(), pages[pages.size() / 2], pages.back(),
                    working[working.size() / 2], working.back(), residentMegabytes(),
                    peakMegabytes());

    timer.restart();
    delete view;
    QThreadPool::globalInstance()->waitForDone();
    std::printf("closing: thread pool idle after %.0f ms\n", timer.nsecsElapsed() / 1e6);
    return 0;
}
