// Files that other programs wrote into a list folder: read correctly, changed without losing
// what this system does not own, and left alone when they cannot be read.
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <map>

using namespace reminders_test;

namespace {

QByteArray lines(std::initializer_list<const char *> content, const char *lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const char *line : content)
        bytes += QByteArray(line) + lineEnd;
    return bytes;
}

// A calendar program's task with a time zone of its own, an alarm, a rule, its own properties
// and a long title folded over two lines.
const QByteArray zoned = lines({
    "BEGIN:VCALENDAR",
    "PRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN",
    "VERSION:2.0",
    "X-WR-CALNAME:作业",
    "BEGIN:VTIMEZONE",
    "TZID:China Standard Time",
    "BEGIN:STANDARD",
    "DTSTART:19700101T000000",
    "TZOFFSETFROM:+0800",
    "TZOFFSETTO:+0800",
    "TZNAME:CST",
    "END:STANDARD",
    "END:VTIMEZONE",
    "BEGIN:VTODO",
    "UID:tz-1@example.com",
    "CREATED:20260301T020000Z",
    "DTSTAMP:20260301T020000Z",
    "LAST-MODIFIED:20260301T020000Z",
    "SUMMARY:语文｜阅读课外书第三章并写一篇不少于三百字的读后感，周五交给",
    " 课代表",
    "DUE;TZID=China Standard Time:20260315T180000",
    "RRULE:FREQ=WEEKLY;BYDAY=SU",
    "X-MOZ-GENERATION:3",
    "X-APPLE-SORT-ORDER:12345",
    "PRIORITY:5",
    "CATEGORIES:作业,学校",
    "BEGIN:VALARM",
    "ACTION:DISPLAY",
    "DESCRIPTION:提醒",
    "TRIGGER;RELATED=END:-PT15M",
    "END:VALARM",
    "END:VTODO",
    "END:VCALENDAR",
});

// Done in todoman, with Unix line ends.
const QByteArray utcDone =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:io.barrera.todoman", "BEGIN:VTODO",
           "COMPLETED:20260310T120000Z", "DUE:20260316T020000Z", "PERCENT-COMPLETE:100",
           "STATUS:COMPLETED", "SUMMARY:UTC 完成", "UID:utc-2", "END:VTODO", "END:VCALENDAR"},
          "\n");

const QByteArray dateOnly =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "UID:day-3", "SUMMARY:整天",
           "DUE;VALUE=DATE:20260317", "DESCRIPTION:第一行\\n第二行\\, 带逗号", "END:VTODO",
           "END:VCALENDAR"});

const QByteArray floating =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "UID:float-4",
           "SUMMARY:本地时间", "DUE:20260318T083000", "END:VTODO", "END:VCALENDAR"});

// Done by the completion time or by percent alone, as some programs mark it; 40 per cent is open.
QByteArray doneBy(const char *uid, const char *mark)
{
    return lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "SUMMARY:x", mark,
                  "END:VTODO", "END:VCALENDAR"})
        .replace("SUMMARY:x", QByteArray("UID:") + uid);
}

const QByteArray untitled =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "UID:no-title",
           "STATUS:NEEDS-ACTION", "END:VTODO", "END:VCALENDAR"});

const QByteArray noSuchDay =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "UID:feb-30",
           "SUMMARY:二月三十日", "DUE:20260230T100000", "END:VTODO", "END:VCALENDAR"});

// Readable, but with a property the parser drops: writing it back would lose that line.
const QByteArray oddProperty =
    lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "UID:odd",
           "SUMMARY:有怪属性", "FOOBAR;FOO=x:baz", "END:VTODO", "END:VCALENDAR"});

const std::map<QString, QByteArray> unreadable = {
    {"garbage.ics", "这不是日历\n"},
    {"event.ics",
     lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VEVENT", "UID:event",
            "DTSTART:20260315T100000Z", "SUMMARY:会议", "END:VEVENT", "END:VCALENDAR"})},
    {"no-uid.ics",
     lines({"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:x", "BEGIN:VTODO", "SUMMARY:没有 UID",
            "END:VTODO", "END:VCALENDAR"})},
    {"truncated.ics",
     lines({"BEGIN:VCALENDAR", "VERSION:2.0", "BEGIN:VTODO", "UID:cut", "SUMMARY:截断"})},
    {"empty.ics", ""},
    {"notes.txt", untitled},
};

// The content lines of a file, unfolded, without the properties that completing a reminder
// changes, in a fixed order.
QStringList unownedLines(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    text.replace("\r\n", "\n").replace("\n ", "").replace("\n\t", "");
    QStringList kept;
    for (const QString &line : text.split('\n', Qt::SkipEmptyParts)) {
        const QString name = line.section(QRegularExpression("[;:]"), 0, 0);
        if (!QStringList({"STATUS", "COMPLETED", "DTSTAMP", "LAST-MODIFIED", "PERCENT-COMPLETE"})
                 .contains(name))
            kept.append(line);
    }
    kept.sort();
    return kept;
}

} // namespace

TEST(RemindersForeignFiles, AreReadChangedWithoutLossOrLeftAlone)
{
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    const QString folder = VdirReminderStore::defaultRoot() + "/from-elsewhere";
    writeFile(folder + "/displayname", "外来");
    writeFile(folder + "/zoned.ics", zoned);
    writeFile(folder + "/utc-done.ics", utcDone);
    writeFile(folder + "/date-only.ics", dateOnly);
    writeFile(folder + "/floating.ics", floating);
    writeFile(folder + "/untitled.ics", untitled);
    writeFile(folder + "/no-such-day.ics", noSuchDay);
    writeFile(folder + "/odd.ics", oddProperty);
    writeFile(folder + "/done-at.ics", doneBy("done-at", "COMPLETED:20260315T120000Z"));
    writeFile(folder + "/done-100.ics", doneBy("done-100", "PERCENT-COMPLETE:100"));
    writeFile(folder + "/open-40.ics", doneBy("open-40", "PERCENT-COMPLETE:40"));
    for (const auto &[name, bytes] : unreadable)
        writeFile(folder + "/" + name, bytes);
    RemindersService service;

    const QList<ReminderRow> read = rows(service, "外来");
    std::map<QString, ReminderRow> byId;
    for (const ReminderRow &row : read)
        byId.emplace(row.id, row);
    ASSERT_EQ(byId.size(), 10u);
    const ReminderRow &tz = byId.at("tz-1@example.com");
    EXPECT_EQ(tz.title, "语文｜阅读课外书第三章并写一篇不少于三百字的读后感，周五交给课代表");
    EXPECT_EQ(tz.due, QDateTime(QDate(2026, 3, 15), QTime(10, 0), QTimeZone::utc()));
    EXPECT_FALSE(tz.completed);
    EXPECT_FALSE(tz.notes) << "the alarm's description is not the reminder's";
    EXPECT_EQ(byId.at("utc-2").due, QDateTime(QDate(2026, 3, 16), QTime(2, 0), QTimeZone::utc()));
    EXPECT_TRUE(byId.at("utc-2").completed);
    EXPECT_EQ(byId.at("day-3").due, QDateTime(QDate(2026, 3, 17), QTime(0, 0)));
    EXPECT_EQ(byId.at("day-3").notes, "第一行\n第二行, 带逗号");
    EXPECT_EQ(byId.at("float-4").due, QDateTime(QDate(2026, 3, 18), QTime(8, 30)));
    EXPECT_EQ(byId.at("no-title").title, "");
    EXPECT_FALSE(byId.at("feb-30").due);
    EXPECT_TRUE(byId.at("done-at").completed && byId.at("done-100").completed);
    EXPECT_FALSE(byId.at("open-40").completed);
    EXPECT_TRUE(read.last().completed);

    // Completing keeps every property it does not own (a list of categories on its one line), and
    // the file keeps its name.
    ASSERT_TRUE(setCompleted(service, "tz-1@example.com", true));
    const QByteArray completed = readFile(folder + "/zoned.ics");
    EXPECT_TRUE(completed.contains("\r\nSTATUS:COMPLETED\r\n"));
    EXPECT_EQ(unownedLines(completed), unownedLines(zoned));

    // Reopening also drops a 100 per cent mark, which some programs read as done.
    ASSERT_TRUE(setCompleted(service, "utc-2", false));
    const QByteArray reopened = readFile(folder + "/utc-done.ics");
    EXPECT_TRUE(reopened.contains("\nSTATUS:NEEDS-ACTION\n")) << "in the line ends the file had";
    EXPECT_FALSE(reopened.contains("\r"));
    EXPECT_FALSE(reopened.contains("PERCENT-COMPLETE"));
    EXPECT_FALSE(reopened.contains("COMPLETED:"));
    EXPECT_EQ(unownedLines(reopened), unownedLines(utcDone));

    // A day without a time stays one when the reminder is written back.
    ASSERT_TRUE(setCompleted(service, "day-3", true));
    EXPECT_TRUE(readFile(folder + "/date-only.ics").contains("\r\nDUE;VALUE=DATE:20260317\r\n"));
    EXPECT_TRUE(byId.at("day-3").dueIsDay);
    EXPECT_FALSE(byId.at("float-4").dueIsDay);

    // A file with parts the parser dropped is never written back.
    EXPECT_FALSE(setCompleted(service, "odd", true));
    EXPECT_EQ(readFile(folder + "/odd.ics"), oddProperty);

    // Writing into and deleting from the folder leaves the unreadable files as they were.
    EXPECT_EQ(counts(writeRaw(service, {{"新的", {}}}, "外来")), std::pair(1, 0));
    const auto deleted = deleteTitles(service, {"二月三十日"}, "外来");
    ASSERT_TRUE(deleted);
    EXPECT_EQ(std::get<int>(deleted->result), 1);
    EXPECT_FALSE(QFile::exists(folder + "/no-such-day.ics"));
    for (const auto &[name, bytes] : unreadable)
        EXPECT_EQ(readFile(folder + "/" + name), bytes) << name.toStdString();
}
