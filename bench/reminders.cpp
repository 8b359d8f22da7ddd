// Prints what the Reminders bridge costs on a list of 5,000 reminders in the iCalendar folder:
// `writeRaw` of 100 new entries (one fetch of the list, 100 files written and committed at
// once) and `rows` of the list (every file read, parsed and sorted). Each is measured over
// several rounds, the list growing by 100 a round. Target: under 1 second each. Runs in a
// temporary folder.
#include "bridges/reminders/RemindersService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
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
        entries.append({subjects[n % 8] + QStringLiteral("｜练习册 P%1 第%2-%3题，订正错题并签字").arg(n).arg(n % 9 + 1).arg(n % 9 + 6),
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

void report(const char *what, std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-44s median %.3f s, worst %.3f s over %zu rounds\n", what, seconds[seconds.size() / 2],
                seconds.back(), seconds.size());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    RemindersService service;

    bool failed = false;
    const auto write = [&](int first, int count) {
        return timed([&](auto done) {
            service.writeRaw(entries(first, count), list, true, [&failed, done](const WriteResult &result) {
                failed |= !std::holds_alternative<WriteCounts>(result)
                    || std::get<WriteCounts>(result).skipped != 0;
                done();
            });
        });
    };

    std::printf("set-up: %d reminders written in %.1f s\n", existing, write(0, existing));
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
    report("writeRaw of 100 entries into 5,000+:", writes);
    report("rows of a list of 5,100+:", reads);
    if (failed)
        std::printf("FAILED: a write or a read did not give what was expected\n");
    return failed ? 1 : 0;
}
