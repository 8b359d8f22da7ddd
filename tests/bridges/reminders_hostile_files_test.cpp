// Files in a list folder that would stall, exhaust or crash a reader: each is left out, named in
// the debug log, or read within bounds, and the list's good reminders still come quickly.
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QMutex>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace reminders_test;

namespace {

// A reminder due 2026-03-15 18:00, in the zone `tzid` that the file defines with `rule` when
// one is given.
QByteArray reminder(const QByteArray &uid, const QByteArray &tzid = {}, const QByteArray &rule = {},
                    const QByteArray &summary = {})
{
    const QByteArray zone = "BEGIN:VTIMEZONE\r\nTZID:" + tzid +
        "\r\nBEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nRRULE:" + rule +
        "\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//hostile//EN\r\n" +
        (rule.isEmpty() ? "" : zone) + "BEGIN:VTODO\r\nUID:" + uid + "\r\nSUMMARY:" + uid +
        summary + "\r\nDUE" + (tzid.isEmpty() ? "" : ";TZID=" + tzid) +
        ":20260315T180000\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
}

QMutex logMutex;
QStringList skipped; // the reminders category's "skipped" lines, from any thread

void keepSkipped(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    const QMutexLocker lock(&logMutex);
    if (QByteArray(context.category) == "slatebook.reminders" && message.startsWith("skipped"))
        skipped.append(message);
}

} // namespace

TEST(RemindersHostileFiles, AreLeftOutOrReadWithinBoundsAndTheListStillReadsQuickly)
{
    TempHome home;
    LocalZone zone("Europe/Berlin");
    const QString folder = VdirReminderStore::defaultRoot() + "/作业";
    const QDateTime local(QDate(2026, 3, 15), QTime(18, 0));
    const QDateTime utc15(QDate(2026, 3, 15), QTime(15, 0), QTimeZone::utc());
    QByteArray folded;
    for (int i = 0; i < (5 << 20) / 74; ++i)
        folded += "\r\n " + QByteArray(74, 'y');
    const struct {
        const char *uid;
        QByteArray bytes;
        QDateTime due;
    } readable[] = {
        {"plain", reminder("plain"), local},
        // A zone the system knows is the system's, whatever the file says of it.
        {"known", reminder("known", "Asia/Shanghai", "FREQ=MINUTELY"),
         QDateTime(QDate(2026, 3, 15), QTime(10, 0), QTimeZone::utc())},
        // A zone of the file's own that changes by the minute or hour is not worked out.
        {"minutely", reminder("minutely", "Hostile", "FREQ=MINUTELY"), local},
        {"hourly", reminder("hourly", "Hostile", "FREQ=YEARLY;BYHOUR=0,1,2"), local},
        {"yearly", reminder("yearly", "学校时间", "FREQ=YEARLY;BYMONTH=1"), utc15},
        {"long", reminder("long", {}, {}, QByteArray(10 << 20, 'x')), local},
        {"folded", reminder("folded", {}, {}, folded), local},
    };
    for (const auto &file : readable)
        writeFile(folder + "/" + file.uid + ".ics", file.bytes);
    writeFile(folder + "/nested.ics",
              reminder("nested").replace("BEGIN:VTODO\r\n",
                                         QByteArray("BEGIN:VTODO\r\n").repeated(300000)));
    ASSERT_TRUE(QFile::link("/dev/zero", folder + "/zero.ics"));
    ASSERT_TRUE(QFile::link("/dev/urandom", folder + "/urandom.ics"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/fifo.ics").constData(), 0600), 0);
    QFile huge(folder + "/huge.ics"); // 3 GiB, sparse
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(3) << 30));
    ASSERT_TRUE(QFile::link("/dev/zero", folder + "/displayname"));

    const QtMessageHandler previous = qInstallMessageHandler(keepSkipped);
    QLoggingCategory::setFilterRules("slatebook.reminders.debug=true");
    RemindersService service;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(service.listNames(), QStringList{"作业"}) << "titled by the folder's name";
    const QList<ReminderRow> read = rows(service, "作业");
    EXPECT_LT(timer.elapsed(), 10000) << "each of these files alone took minutes, or crashed";
    ASSERT_TRUE(setCompleted(service, "minutely", true));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);

    std::map<QString, ReminderRow> byId;
    for (const ReminderRow &row : read)
        byId.emplace(row.id, row);
    ASSERT_EQ(byId.size(), std::size(readable));
    for (const auto &file : readable)
        EXPECT_EQ(byId[file.uid].due, file.due) << file.uid;
    EXPECT_EQ(byId["long"].title.size(), 4 + (10 << 20));
    EXPECT_EQ(byId["folded"].title.size(), 6 + folded.size() / 77 * 74);
    for (const char *name :
         {"zero.ics", "urandom.ics", "fifo.ics", "huge.ics", "nested.ics", "displayname"})
        EXPECT_FALSE(skipped.filter(QString("/作业/") + name).isEmpty()) << name;
    EXPECT_TRUE(readFile(folder + "/minutely.ics").contains("RRULE:FREQ=MINUTELY\r\n"));
}
