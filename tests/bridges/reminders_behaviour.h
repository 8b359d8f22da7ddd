#pragma once

// The Reminders bridge's behaviour, the same on every store: writing with blanks trimmed and
// duplicates skipped, due times, the order rows are read back in, deleting by title, single
// reminders, list names, and two writes at once. Each test program that includes this header
// instantiates the suite with its store (INSTANTIATE_TEST_SUITE_P over a BackendParam).
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace reminders_test {

// What the tests need to see of a store besides the bridge.
class ReminderBackend {
public:
    virtual ~ReminderBackend() = default;
    // A new handle on the store, as a new RemindersService would have.
    virtual std::shared_ptr<ReminderStore> store() = 0;
    // A list of that title made by another program, holding one reminder given as a VTODO.
    virtual void addForeign(const QString &list, const QByteArray &vtodo) = 0;
    // The iCalendar text the store keeps for the reminder with that identifier.
    virtual QByteArray stored(const QString &id) = 0;
    // The lists an empty store has anyway.
    virtual QStringList presetLists() { return {}; }
    // Checks that removing every list left nothing of them behind.
    virtual void expectNothingLeftBehind() { }
};

struct BackendParam {
    const char *name;
    std::function<std::unique_ptr<ReminderBackend>()> make;
};

inline void PrintTo(const BackendParam &param, std::ostream *out)
{
    *out << param.name;
}

inline std::string backendName(const testing::TestParamInfo<BackendParam> &info)
{
    return info.param.name;
}

class RemindersBehaviour : public testing::TestWithParam<BackendParam> {
protected:
    void SetUp() override { backend = GetParam().make(); }

    RemindersService service() const { return RemindersService(backend->store()); }

    // The list names without the ones the store has anyway.
    QStringList names(const RemindersService &service) const
    {
        QStringList names = service.listNames();
        for (const QString &preset : backend->presetLists())
            names.removeOne(preset);
        return names;
    }

    TempHome home;
    std::unique_ptr<ReminderBackend> backend;
};

// Written by another program with a leading ideographic space (the iCalendar parser drops ASCII
// blanks around a value, but keeps this one).
inline const QByteArray leadingSpaceTodo =
    "BEGIN:VTODO\r\nUID:leading-space\r\nSUMMARY:\u3000数学 p12\r\n"
    "END:VTODO\r\n";

TEST_P(RemindersBehaviour, WritesTrimDropBlanksAndSkipTitlesTheListHolds)
{
    const RemindersService service = this->service();

    // An empty batch still creates the missing list.
    auto done = writeRaw(service, {}, "作业");
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->onMainThread);
    EXPECT_EQ(counts(done), std::make_pair(0, 0));
    EXPECT_EQ(names(service), QStringList{"作业"});

    done = writeRaw(service,
                    {{"  数学 p12 ", {}},
                     {" \t\u3000", {}},
                     {"\n", {}},
                     {"English", {}},
                     {"english", {}},
                     {"背诵", {}},
                     {"背诵", {}}},
                    "作业");
    EXPECT_EQ(counts(done), std::make_pair(6, 0))
        << "blank titles count neither way; equal titles in one batch both go in";
    EXPECT_EQ(titles(rows(service, "作业")),
              QStringList({"\n", "English", "english", "数学 p12", "背诵", "背诵"}));

    // A completed reminder blocks its title just as an open one does.
    ASSERT_TRUE(setCompleted(service, rowId(service, "作业", "English"), true));
    done = writeRaw(service, {{"数学 p12", {}}, {"English", {}}, {"english ", {}}, {"物理", {}}},
                    "作业");
    EXPECT_EQ(counts(done), std::make_pair(1, 3));

    // Without dedupe every non-blank entry goes in.
    done = writeRaw(service, {{"数学 p12", {}}, {"  ", {}}}, "作业", false);
    EXPECT_EQ(counts(done), std::make_pair(1, 0));
    EXPECT_EQ(rows(service, "作业").size(), 8);

    // Titles already stored are compared as stored: a leading space makes another title.
    backend->addForeign("手写", leadingSpaceTodo);
    EXPECT_EQ(titles(rows(service, "手写")), QStringList{"\u3000数学 p12"});
    done = writeRaw(service, {{"数学 p12", {}}}, "手写");
    EXPECT_EQ(counts(done), std::make_pair(1, 0));
}

TEST_P(RemindersBehaviour,
       DueTimeIsWrittenToTheMinuteOnTheLocalClockAndEntryTitlesJoinSubjectAndText)
{
    LocalZone zone("Asia/Shanghai");
    const RemindersService service = this->service();

    const QDateTime due(QDate(2026, 9, 1), QTime(21, 30, 45));
    EXPECT_EQ(counts(writeRaw(service, {{"带截止", due}, {"无截止", {}}}, "作业")),
              std::make_pair(2, 0));
    const QByteArray withDue = backend->stored(rowId(service, "作业", "带截止"));
    const QByteArray withoutDue = backend->stored(rowId(service, "作业", "无截止"));
    EXPECT_TRUE(withDue.contains("\r\nDUE:20260901T213000\r\n")) << withDue.toStdString();
    EXPECT_FALSE(withoutDue.contains("DUE")) << withoutDue.toStdString();
    for (const QByteArray &text : {withDue, withoutDue}) {
        EXPECT_TRUE(text.contains("\r\nDTSTAMP:") && text.contains("\r\nCREATED:"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("\r\nSUMMARY:")) << text.toStdString();
        EXPECT_FALSE(text.contains("STATUS:COMPLETED")) << text.toStdString();
    }

    const QList<ReminderRow> read = rows(service, "作业");
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0].due, QDateTime(QDate(2026, 9, 1), QTime(21, 30)));
    EXPECT_FALSE(read[1].due);

    const auto done = await<WriteResult>([&](auto reply) {
        service.write({SlateItem("数学", "练习册 p12"), SlateItem("", "练习册 p12")}, "作业",
                      std::nullopt, true, reply);
    });
    EXPECT_EQ(counts(done), std::make_pair(2, 0));
    EXPECT_TRUE(titles(rows(service, "作业")).contains("数学｜练习册 p12"));
    EXPECT_TRUE(titles(rows(service, "作业")).contains("练习册 p12"));
}

TEST_P(RemindersBehaviour, RowsComeOpenBeforeCompletedThenEarlierDueThenTitle)
{
    const RemindersService service = this->service();
    const QDate day(2026, 3, 15);
    writeRaw(service,
             {{"c", {}},
              {"a", QDateTime(day, QTime(11, 0))},
              {"z", QDateTime(day, QTime(9, 0))},
              {"b", QDateTime(day, QTime(10, 0))},
              {"0", {}}},
             "作业");
    ASSERT_TRUE(setCompleted(service, rowId(service, "作业", "z"), true));

    const QList<ReminderRow> read = rows(service, "作业");
    EXPECT_EQ(titles(read), QStringList({"0", "b", "a", "c", "z"}));
    EXPECT_TRUE(read.last().completed);

    // A missing list answers at once, on the calling thread.
    bool answered = false;
    service.rows("没有这个清单",
                 [&](const QList<ReminderRow> &none) { answered = none.isEmpty(); });
    EXPECT_TRUE(answered);
    std::optional<DeleteResult> deleted;
    service.deleteTitles({"a"}, "没有这个清单",
                         [&](const DeleteResult &result) { deleted = result; });
    ASSERT_TRUE(deleted);
    EXPECT_EQ(std::get<int>(*deleted), 0);
}

TEST_P(RemindersBehaviour, DeletingRemovesEveryExactMatchAndReportsTheCount)
{
    const RemindersService service = this->service();
    writeRaw(service, {{"背诵", {}}, {"背诵", {}}, {"默写", {}}}, "作业");

    auto done = deleteTitles(service, {"没有", " 背诵"}, "作业");
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->onMainThread);
    EXPECT_EQ(std::get<int>(done->result), 0) << "titles are matched exactly, not trimmed";

    done = deleteTitles(service, {"背诵"}, "作业");
    EXPECT_EQ(std::get<int>(done->result), 2);
    EXPECT_EQ(titles(rows(service, "作业")), QStringList{"默写"});
}

TEST_P(RemindersBehaviour, CompleteReopenDeleteAndDeleteList)
{
    const RemindersService service = this->service();
    writeRaw(service, {{"背诵", {}}, {"默写", {}}}, "作业");
    const QString id = rowId(service, "作业", "背诵");

    EXPECT_FALSE(setCompleted(service, "no-such-id", true));
    EXPECT_FALSE(setCompleted(service, "../" + id, true));
    ASSERT_TRUE(setCompleted(service, id, true));
    EXPECT_TRUE(backend->stored(id).contains("\r\nSTATUS:COMPLETED\r\n"));
    EXPECT_TRUE(backend->stored(id).contains("\r\nCOMPLETED:"));
    EXPECT_TRUE(rows(service, "作业").last().completed);

    ASSERT_TRUE(setCompleted(service, id, false));
    EXPECT_TRUE(backend->stored(id).contains("\r\nSTATUS:NEEDS-ACTION\r\n"));
    EXPECT_FALSE(backend->stored(id).contains("\r\nCOMPLETED:"));
    EXPECT_FALSE(rows(service, "作业").first().completed);

    bool success = false;
    service.deleteReminder(id, [&](bool ok) { success = ok; });
    EXPECT_TRUE(success);
    EXPECT_TRUE(backend->stored(id).isEmpty());
    service.deleteReminder(id, [&](bool ok) { success = ok; });
    EXPECT_FALSE(success);

    service.deleteList("作业", [&](bool ok) { success = ok; });
    EXPECT_TRUE(success);
    EXPECT_TRUE(names(service).isEmpty());
    backend->expectNothingLeftBehind();
    service.deleteList("作业", [&](bool ok) { success = ok; });
    EXPECT_FALSE(success);
}

TEST_P(RemindersBehaviour, ListNamesAreSortedAndMatchedUpToCanonicalEquivalence)
{
    const RemindersService service = this->service();
    for (const char *name :
         {"语文", "English", "数学", "Cafe\u0301"}) // the last with a decomposed é
        writeRaw(service, {}, QString::fromUtf8(name));
    EXPECT_EQ(names(service), QStringList({"Cafe\u0301", "English", "数学", "语文"}));

    EXPECT_EQ(counts(writeRaw(service, {{"咖啡", {}}}, "Caf\u00e9")), std::make_pair(1, 0));
    EXPECT_EQ(names(service).size(), 4) << "the precomposed name finds the decomposed list";
    EXPECT_EQ(titles(rows(service, "Cafe\u0301")), QStringList{"咖啡"});

    // An empty name is a name like any other: the second write finds the list the first made.
    writeRaw(service, {{"无名", {}}}, "");
    EXPECT_EQ(counts(writeRaw(service, {{"无名", {}}}, "")), std::make_pair(0, 1));
}

TEST_P(RemindersBehaviour, TwoWritesAtOnceIntoANewListMeetInOneList)
{
    const RemindersService first = service(), second = service();
    std::optional<WriteResult> a, b;
    QEventLoop loop;
    const auto finish = [&] {
        if (a && b)
            loop.quit();
    };
    first.writeRaw({{"一", {}}, {"二", {}}}, "同时", true, [&](const WriteResult &r) {
        a = r;
        finish();
    });
    second.writeRaw({{"三", {}}, {"四", {}}}, "同时", true, [&](const WriteResult &r) {
        b = r;
        finish();
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();

    ASSERT_TRUE(a && b);
    EXPECT_TRUE(std::holds_alternative<WriteCounts>(*a));
    EXPECT_TRUE(std::holds_alternative<WriteCounts>(*b));
    EXPECT_EQ(names(first), QStringList{"同时"});
    EXPECT_EQ(titles(rows(first, "同时")), QStringList({"一", "三", "二", "四"}));
}

} // namespace reminders_test
