// Prints what the Reminders bridge costs on a list of 5,000 reminders, in each store:
// `writeRaw` of 100 new entries (one fetch of the list, 100 reminders saved and committed at
// once) and `rows` of the list (every reminder read, parsed and sorted). Each is measured over
// several rounds, the list growing by 100 a round. Targets: under 1 second each in the iCalendar
// folder, under 2 seconds each in the desktop's task lists (Evolution Data Server, over D-Bus).
// Runs in a temporary home; the desktop's task lists are measured in a second run of this
// program on a private session bus (tests/bridges/eds/private-session), so the user's own
// lists are never touched. `reminders --folder` or `reminders --evolution` measures one store.
#include "bench/BenchHome.h"
#include "bridges/reminders/RemindersService.h"
#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int existing = 5000;
constexpr int batch = 100;
constexpr int rounds = 5;
const QString list = QStringLiteral("作业");
const QString subjects[] = {"语文", "数学", "英语", "物理", "化学", "生物", "历史", "地理"};

QList<ReminderEntry> entries(int first, int count)
{
    const QDateTime due = QDateTime::currentDateTime().addDays(1);
    QList<ReminderEntry> entries;
    for (int n = first; n < first + count; ++n) {
        entries.append({subjects[n % 8] +
                            QStringLiteral("｜练习册 P%1 第%2-%3题，订正错题并签字")
                                .arg(n)
                                .arg(n % 9 + 1)
                                .arg(n % 9 + 6),
                        n % 3 ? std::optional(due.addSecs(60 * (n % 600))) : std::nullopt});
    }
    return entries;
}

// Runs the event loop until the bridge answers on the main thread; the seconds it took.
template <typename Start>
double timed(Start start)
{
    QElapsedTimer timer;
    timer.start();
    QEventLoop loop;
    start([&] { loop.quit(); });
    loop.exec();
    return timer.nsecsElapsed() / 1e9;
}

void report(const QString &store, const char *what, std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-16s %-40s median %.3f s, worst %.3f s over %zu rounds\n", qPrintable(store),
                what, seconds[seconds.size() / 2], seconds.back(), seconds.size());
    std::fflush(stdout);
}

// Measures one store; false when a write or a read did not give what was expected.
bool measure(const RemindersService &service)
{
    bool failed = false;
    const auto write = [&](int first, int count) {
        return timed([&](auto done) {
            service.writeRaw(entries(first, count), list, true,
                             [&failed, done](const WriteResult &result) {
                                 failed |= !std::holds_alternative<WriteCounts>(result) ||
                                     std::get<WriteCounts>(result).skipped != 0;
                                 done();
                             });
        });
    };

    const QString store = service.storeTitle();
    std::printf("%-16s set-up: %d reminders written in %.1f s\n", qPrintable(store), existing,
                write(0, existing));
    std::vector<double> writes, reads;
    int size = existing;
    for (int round = 0; round < rounds; ++round) {
        writes.push_back(write(size, batch));
        size += batch;
        reads.push_back(timed([&](auto done) {
            service.rows(list, [&failed, size, done](const QList<ReminderRow> &rows) {
                failed |= rows.size() != size;
                done();
            });
        }));
    }
    report(store, "writeRaw of 100 entries into 5,000+:", writes);
    report(store, "rows of a list of 5,100+:", reads);
    if (failed)
        std::printf("FAILED: a write or a read did not give what was expected\n");
    return !failed;
}

// This program again, measuring the desktop's task lists on a private session bus.
bool measureEvolutionApart(const QString &program)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral(SLATEBOOK_PRIVATE_SESSION),
                {program, QStringLiteral("--evolution")});
    return child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit &&
        child.exitCode() == 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTemporaryDir home;
    useHome(home.path());

    bool passed = true;
    if (!arguments.contains(QStringLiteral("--evolution"))) {
        RemindersService folder(
            std::make_shared<VdirReminderStore>(VdirReminderStore::defaultRoot()));
        passed &= measure(folder);
    }
    if (arguments.contains(QStringLiteral("--evolution"))) {
        RemindersService tasks(std::make_shared<EdsReminderStore>());
        passed &= measure(tasks);
    } else if (!arguments.contains(QStringLiteral("--folder"))) {
        passed &= measureEvolutionApart(QCoreApplication::applicationFilePath());
    }
    return passed ? 0 : 1;
}
