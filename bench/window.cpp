// Window responsiveness: bench/window [IMAGE] starts the window as the application does and
// prints
//   - the time from process start, and from main(), to the main window's first paint;
//   - resident memory once the window has been idle for a second;
//   - the longest stall of the event loop while the import screen recognises a 12-megapixel
//     photo (IMAGE, default the test corpus' 03-print-photo.jpg, scaled up), and how long the
//     recognition took;
//   - resident memory once idle again after that recognition.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, in a temporary HOME.

#include "bench/BenchHome.h"
#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/DataFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/MainWindow.h"
#include "ui/import/ImportView.h"
#include "ui/shell/QtTranslations.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

QElapsedTimer sinceMain;

// Seconds since the kernel started this process (10 ms resolution).
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    // Field 22, counted after the parenthesised command name, which may hold spaces.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    const double now = uptime.readAll().split(' ').value(0).toDouble();
    return now - startTicks / double(sysconf(_SC_CLK_TCK));
}

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

void runFor(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

// Records the first paint of the window it watches.
class FirstPaint : public QObject {
public:
    bool painted = false;
    double fromProcessStart = 0;
    qint64 fromMainMs = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            fromMainMs = sinceMain.elapsed();
            fromProcessStart = secondsSinceProcessStart();
        }
        return QObject::eventFilter(watched, event);
    }
};

// The longest gap between ticks of a 2 ms timer: how long the event loop could not run.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(2);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 gap = m_sinceTick.restart();
            if (gap > m_longest) {
                m_longest = gap;
                m_longestEndedAt = m_sinceStart.elapsed();
            }
        });
    }

    void start()
    {
        m_longest = 0;
        m_sinceStart.start();
        m_sinceTick.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    qint64 longest() const { return m_longest; }
    // Milliseconds after start() at which the longest stall ended.
    qint64 longestEndedAt() const { return m_longestEndedAt; }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
    qint64 m_longestEndedAt = 0;
};

QString twelveMegapixelCopy(const QString &source, const QString &folder)
{
    QImageReader::setAllocationLimit(1024);
    QImageReader reader(source);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    const double aspect = double(image.width()) / image.height();
    const int width = int(std::lround(std::sqrt(12e6 * aspect)));
    const int height = int(std::lround(12e6 / width));
    const QString path = folder + QStringLiteral("/photo-12mp.jpg");
    image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .save(path, "JPEG", 92);
    std::printf("test photo: %d x %d (%.1f megapixels)\n", width, height,
                width * double(height) / 1e6);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    sinceMain.start();
    QTemporaryDir home;
    useHome(home.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Slatebook"));
    // As the application starts: Qt's own Chinese texts are part of the time to the first paint.
    QtTranslations::install(app);
    DataFolder::ensureExists();
    AppSettings settings;
    HistoryStore history;
    RemindersService service;
    TaskStore store(DataFolder::path());
    NotificationService &notify = NotificationService::instance();
    MainWindow window({settings, history, service, store, notify});
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    while (!firstPaint.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("start to window shown: %.0f ms from process start, %lld ms from main()\n",
                firstPaint.fromProcessStart * 1000, firstPaint.fromMainMs);

    runFor(1000);
    std::printf("idle memory, window shown: %.1f MB resident\n", residentMegabytes());

    const QStringList arguments = QCoreApplication::arguments();
    const QString source = arguments.size() > 1
        ? arguments.at(1)
        : QStringLiteral(SLATEBOOK_TEST_DATA "/03-print-photo.jpg");
    const QString photo = twelveMegapixelCopy(source, home.path());
    if (photo.isEmpty()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(source));
        return 1;
    }

    ImportView *view = window.rootView()->importView();
    StallMeter meter;
    QElapsedTimer recognition;
    meter.start();
    recognition.start();
    view->load(photo);
    while (view->isBusy())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const qint64 recognitionMs = recognition.elapsed();
    runFor(500); // the result's first repaint belongs to the load too
    meter.stop();
    std::printf(
        "12-megapixel load: recognised in %lld ms, %lld rows; longest event-loop stall %lld ms, "
        "ending %lld ms after the load started\n",
        recognitionMs, qint64(view->items().size()), meter.longest(), meter.longestEndedAt());

    runFor(1000);
    std::printf("idle memory after that recognition: %.1f MB resident\n", residentMegabytes());
    return 0;
}
