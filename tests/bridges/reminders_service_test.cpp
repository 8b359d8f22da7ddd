// The Reminders bridge on a real iCalendar folder: writing, reading back, deleting, access, and
// failures that must leave the folder as it was.
#include "bridges/reminders_support.h"
#include "bridges/reminders/RemindersService.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace reminders_test;

namespace {

std::optional<Completion<WriteResult>> writeRaw(const RemindersService &service, const QList<ReminderEntry> &entries,
                                                const QString &list, bool dedupe = true)
{
    return await<WriteResult>([&](auto done) { service.writeRaw(entries, list, dedupe, done); });
}

// The counts of a successful write, or (-1, -1) for a failure.
std::pair<int, int> counts(const std::optional<Completion<WriteResult>> &done)
{
    if (!done || !std::holds_alternative<WriteCounts>(done->result))
        return {-1, -1};
    const WriteCounts &counts = std::get<WriteCounts>(done->result);
    return {counts.written, counts.skipped};
}

QList<ReminderRow> rows(const RemindersService &service, const QString &list)
{
    const auto done = await<QList<ReminderRow>>([&](auto reply) { service.rows(list, reply); });
    EXPECT_TRUE(done && done->onMainThread);
    return done ? done->result : QList<ReminderRow>();
}

QStringList titles(const QList<ReminderRow> &rows)
{
    QStringList titles;
    for (const ReminderRow &row : rows)
        titles.append(row.title);
    return titles;
}

std::optional<Completion<DeleteResult>> deleteTitles(const RemindersService &service, const QStringList &titles,
                                                     const QString &list)
{
    return await<DeleteResult>([&](auto done) { service.deleteTitles(titles, list, done); });
}

// The folder of the list with that title.
QString listFolder(const QString &title)
{
    const QString root = VdirReminderStore::defaultRoot();
    for (const QString &name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (readFile(root + "/" + name + "/displayname") == title.toUtf8())
            return root + "/" + name;
    }
    return {};
}

bool setCompleted(const RemindersService &service, const QString &id, bool completed)
{
    bool success = false;
    service.setCompleted(id, completed, [&](bool ok) { success = ok; });
    return success;
}

QString rowId(const RemindersService &service, const QString &list, const QString &title)
{
    for (const ReminderRow &row : rows(service, list)) {
        if (row.title == title)
            return row.id;
    }
    return {};
}

// Written by another program with a leading ideographic space (the iCalendar parser drops ASCII
// blanks around a value, but keeps this one).
const QByteArray leadingSpaceReminder = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//hand//EN\r\n"
                                        "BEGIN:VTODO\r\nUID:leading-space\r\nSUMMARY:\u3000数学 p12\r\n"
                                        "END:VTODO\r\nEND:VCALENDAR\r\n";

} // namespace

TEST(RemindersWrite, TrimsDropsBlanksAndSkipsTitlesTheListHolds)
{
    TempHome home;
    RemindersService service;

    // An empty batch still creates the missing list.
    auto done = writeRaw(service, {}, "作业");
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->onMainThread);
    EXPECT_EQ(counts(done), std::make_pair(0, 0));
    EXPECT_EQ(service.listNames(), QStringList{"作业"});

    done = writeRaw(service,
                    {{"  数学 p12 ", {}}, {" \t\u3000", {}}, {"\n", {}}, {"English", {}}, {"english", {}},
                     {"背诵", {}}, {"背诵", {}}},
                    "作业");
    EXPECT_EQ(counts(done), std::make_pair(6, 0)) << "blank titles count neither way; equal titles in one batch both go in";
    EXPECT_EQ(titles(rows(service, "作业")), QStringList({"\n", "English", "english", "数学 p12", "背诵", "背诵"}));

    // A completed reminder blocks its title just as an open one does.
    ASSERT_TRUE(setCompleted(service, rowId(service, "作业", "English"), true));
    done = writeRaw(service, {{"数学 p12", {}}, {"English", {}}, {"english ", {}}, {"物理", {}}}, "作业");
    EXPECT_EQ(counts(done), std::make_pair(1, 3));

    // Without dedupe every non-blank entry goes in.
    done = writeRaw(service, {{"数学 p12", {}}, {"  ", {}}}, "作业", false);
    EXPECT_EQ(counts(done), std::make_pair(1, 0));
    EXPECT_EQ(rows(service, "作业").size(), 8);

    // Titles already stored are compared as stored: a leading space makes another title.
    writeFile(VdirReminderStore::defaultRoot() + "/hand/displayname", "手写");
    writeFile(VdirReminderStore::defaultRoot() + "/hand/leading.ics", leadingSpaceReminder);
    done = writeRaw(service, {{"数学 p12", {}}}, "手写");
    EXPECT_EQ(counts(done), std::make_pair(1, 0));
}

TEST(RemindersWrite, DueTimeIsWrittenToTheMinuteOnTheLocalClockAndEntryTitlesJoinSubjectAndText)
{
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    RemindersService service;

    const QDateTime due(QDate(2026, 9, 1), QTime(21, 30, 45));
    EXPECT_EQ(counts(writeRaw(service, {{"带截止", due}, {"无截止", {}}}, "作业")), std::make_pair(2, 0));
    const QString folder = listFolder("作业");
    QByteArray withDue, withoutDue;
    for (const QString &name : icsFiles(folder)) {
        const QByteArray bytes = readFile(folder + "/" + name);
        (bytes.contains("SUMMARY:带截止") ? withDue : withoutDue) = bytes;
        EXPECT_TRUE(bytes.contains("\r\nDTSTAMP:") && bytes.contains("\r\nCREATED:"));
        EXPECT_TRUE(name == QString::fromUtf8(bytes).section("UID:", 1).section("\r\n", 0, 0) + ".ics");
    }
    EXPECT_TRUE(withDue.contains("\r\nDUE:20260901T213000\r\n")) << withDue.toStdString();
    EXPECT_FALSE(withoutDue.contains("DUE")) << withoutDue.toStdString();

    const QList<ReminderRow> read = rows(service, "作业");
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0].due, QDateTime(QDate(2026, 9, 1), QTime(21, 30)));
    EXPECT_FALSE(read[1].due);

    const auto done = await<WriteResult>([&](auto reply) {
        service.write({SlateItem("数学", "练习册 p12"), SlateItem("", "练习册 p12")}, "作业", std::nullopt, true, reply);
    });
    EXPECT_EQ(counts(done), std::make_pair(2, 0));
    EXPECT_TRUE(titles(rows(service, "作业")).contains("数学｜练习册 p12"));
    EXPECT_TRUE(titles(rows(service, "作业")).contains("练习册 p12"));
}

TEST(RemindersRead, OpenBeforeCompletedThenEarlierDueThenTitle)
{
    TempHome home;
    RemindersService service;
    const QDate day(2026, 3, 15);
    writeRaw(service,
             {{"c", {}}, {"a", QDateTime(day, QTime(11, 0))}, {"z", QDateTime(day, QTime(9, 0))},
              {"b", QDateTime(day, QTime(10, 0))}, {"0", {}}},
             "作业");
    ASSERT_TRUE(setCompleted(service, rowId(service, "作业", "z"), true));

    const QList<ReminderRow> read = rows(service, "作业");
    EXPECT_EQ(titles(read), QStringList({"0", "b", "a", "c", "z"}));
    EXPECT_TRUE(read.last().completed);

    // A missing list answers at once, on the calling thread.
    bool answered = false;
    service.rows("没有这个清单", [&](const QList<ReminderRow> &none) { answered = none.isEmpty(); });
    EXPECT_TRUE(answered);
    std::optional<DeleteResult> deleted;
    service.deleteTitles({"a"}, "没有这个清单", [&](const DeleteResult &result) { deleted = result; });
    ASSERT_TRUE(deleted);
    EXPECT_EQ(std::get<int>(*deleted), 0);
}

TEST(RemindersDelete, RemovesEveryExactMatchAndReportsTheCount)
{
    TempHome home;
    RemindersService service;
    writeRaw(service, {{"背诵", {}}, {"背诵", {}}, {"默写", {}}}, "作业");

    auto done = deleteTitles(service, {"没有", " 背诵"}, "作业");
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->onMainThread);
    EXPECT_EQ(std::get<int>(done->result), 0) << "titles are matched exactly, not trimmed";

    done = deleteTitles(service, {"背诵"}, "作业");
    EXPECT_EQ(std::get<int>(done->result), 2);
    EXPECT_EQ(titles(rows(service, "作业")), QStringList{"默写"});
    EXPECT_EQ(icsFiles(listFolder("作业")).size(), 1);
}

TEST(RemindersAccess, AnUnusableRootRefusesWritesAndShowsNothing)
{
    TempHome home;
    // A file where the root folder belongs: the root can be neither used nor created.
    writeFile(VdirReminderStore::defaultRoot(), "not a folder");
    RemindersService service;

    const auto granted = await<bool>([&](auto done) { service.requestAccess(done); });
    ASSERT_TRUE(granted);
    EXPECT_TRUE(granted->onMainThread);
    EXPECT_FALSE(granted->result);

    const auto done = writeRaw(service, {{"数学", {}}}, "作业");
    ASSERT_TRUE(done && std::holds_alternative<ReminderError>(done->result));
    const ReminderError &error = std::get<ReminderError>(done->result);
    EXPECT_EQ(error.domain, "Slate");
    EXPECT_EQ(error.code, 1);
    EXPECT_EQ(error.description, "未获得提醒事项访问权限，请在 系统设置 → 隐私与安全性 → 提醒事项 中开启");
    EXPECT_TRUE(service.listNames().isEmpty());
    EXPECT_TRUE(rows(service, "作业").isEmpty());
}

TEST(RemindersFailure, AWriteOrDeleteThatCannotCommitChangesNothing)
{
    TempHome home;
    RemindersService service;
    writeRaw(service, {{"已有", {}}}, "作业");
    const QString folder = listFolder("作业");
    const QStringList before = allEntries(folder);

    std::optional<Completion<WriteResult>> written;
    std::optional<Completion<DeleteResult>> deleted;
    {
        ReadOnlyFolder readOnly(folder);
        if (!readOnly.holds())
            GTEST_SKIP() << "no way to make a folder read-only here";
        written = writeRaw(service, {{"新的", {}}, {"另一个", {}}}, "作业");
        deleted = deleteTitles(service, {"已有"}, "作业");
    }
    ASSERT_TRUE(written && std::holds_alternative<ReminderError>(written->result));
    EXPECT_TRUE(std::get<ReminderError>(written->result).description.startsWith("无法写入提醒事项文件夹："));
    ASSERT_TRUE(deleted && std::holds_alternative<ReminderError>(deleted->result))
        << "a delete that did not happen is not reported as done";
    EXPECT_TRUE(std::get<ReminderError>(deleted->result).description.startsWith("无法删除："));
    EXPECT_EQ(allEntries(folder), before);
    EXPECT_EQ(titles(rows(service, "作业")), QStringList{"已有"});
}

TEST(RemindersSingleItems, CompleteReopenDeleteAndDeleteList)
{
    TempHome home;
    RemindersService service;
    writeRaw(service, {{"背诵", {}}, {"默写", {}}}, "作业");
    const QString id = rowId(service, "作业", "背诵");
    const QString file = listFolder("作业") + "/" + id + ".ics";

    EXPECT_FALSE(setCompleted(service, "no-such-id", true));
    EXPECT_FALSE(setCompleted(service, "../" + id, true));
    ASSERT_TRUE(setCompleted(service, id, true));
    EXPECT_TRUE(readFile(file).contains("\r\nSTATUS:COMPLETED\r\n"));
    EXPECT_TRUE(readFile(file).contains("\r\nCOMPLETED:"));
    EXPECT_TRUE(rows(service, "作业").last().completed);

    ASSERT_TRUE(setCompleted(service, id, false));
    EXPECT_TRUE(readFile(file).contains("\r\nSTATUS:NEEDS-ACTION\r\n"));
    EXPECT_FALSE(readFile(file).contains("\r\nCOMPLETED:"));
    EXPECT_FALSE(rows(service, "作业").first().completed);

    bool success = false;
    service.deleteReminder(id, [&](bool ok) { success = ok; });
    EXPECT_TRUE(success);
    EXPECT_FALSE(QFile::exists(file));
    service.deleteReminder(id, [&](bool ok) { success = ok; });
    EXPECT_FALSE(success);

    service.deleteList("作业", [&](bool ok) { success = ok; });
    EXPECT_TRUE(success);
    EXPECT_TRUE(service.listNames().isEmpty());
    EXPECT_TRUE(allEntries(VdirReminderStore::defaultRoot()).isEmpty()) << "nothing is left behind";
    service.deleteList("作业", [&](bool ok) { success = ok; });
    EXPECT_FALSE(success);
}

TEST(RemindersLists, NamesAreSortedAndMatchedUpToCanonicalEquivalence)
{
    TempHome home;
    RemindersService service;
    const QString root = VdirReminderStore::defaultRoot();
    writeFile(root + "/b/displayname", "语文");
    writeFile(root + "/a/displayname", "English\n"); // hand-edited, with a line break
    writeFile(root + "/c/displayname", "数学");
    QDir().mkpath(root + "/no-title");
    writeFile(root + "/e/displayname", "Cafe\u0301"); // decomposed é
    EXPECT_EQ(service.listNames(), QStringList({"Cafe\u0301", "English", "no-title", "数学", "语文"}));

    EXPECT_EQ(counts(writeRaw(service, {{"咖啡", {}}}, "Caf\u00e9")), std::make_pair(1, 0));
    EXPECT_EQ(service.listNames().size(), 5) << "the precomposed name finds the decomposed list";
    EXPECT_EQ(icsFiles(root + "/e").size(), 1);

    // Lists made here are named after their title when it is a safe folder name.
    writeRaw(service, {}, "../逃出");
    writeRaw(service, {}, "物理");
    EXPECT_TRUE(QFileInfo(root + "/物理").isDir());
    EXPECT_FALSE(QFileInfo::exists(root + "/../逃出"));
    EXPECT_TRUE(service.listNames().contains("../逃出"));

    // An empty name is a name like any other: the second write finds the list the first made.
    writeRaw(service, {{"无名", {}}}, "");
    EXPECT_EQ(counts(writeRaw(service, {{"无名", {}}}, "")), std::make_pair(0, 1));
}

TEST(RemindersConcurrency, TwoWritesAtOnceIntoANewListMeetInOneList)
{
    TempHome home;
    RemindersService first, second;
    std::optional<WriteResult> a, b;
    QEventLoop loop;
    const auto finish = [&] {
        if (a && b)
            loop.quit();
    };
    first.writeRaw({{"一", {}}, {"二", {}}}, "同时", true, [&](const WriteResult &r) { a = r; finish(); });
    second.writeRaw({{"三", {}}, {"四", {}}}, "同时", true, [&](const WriteResult &r) { b = r; finish(); });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();

    ASSERT_TRUE(a && b);
    EXPECT_TRUE(std::holds_alternative<WriteCounts>(*a));
    EXPECT_TRUE(std::holds_alternative<WriteCounts>(*b));
    EXPECT_EQ(first.listNames(), QStringList{"同时"});
    EXPECT_EQ(titles(rows(first, "同时")), QStringList({"一", "三", "二", "四"}));
}
