// todoman, a real client of the same folder layout, as the other side: each reads what the
// other wrote, titles, due times and done states alike.
#include "bridges/reminders/RemindersService.h"
#include "bridges/reminders/vdir/VdirReminderStore.h"
#include "bridges/reminders_calls.h"
#include "support/TempHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <map>

using namespace reminders_test;

namespace {

// Debian installs todoman's `todo` command under the name `todoman`.
const QString todoman = QStringLiteral("todoman");

class Todoman {
public:
    explicit Todoman(const TempHome &home)
    {
        writeFile(home.path() + "/.config/todoman/config.py",
                  QStringLiteral("path = \"%1/*\"\n"
                                 "date_format = \"%Y-%m-%d\"\n"
                                 "time_format = \"%H:%M\"\n"
                                 "default_due = 0\n"
                                 "cache_path = \"%2/todoman-cache.sqlite3\"\n")
                      .arg(VdirReminderStore::defaultRoot(), home.path())
                      .toUtf8());
    }

    QByteArray run(const QStringList &arguments) const
    {
        QProcess process;
        process.start(todoman, arguments);
        const bool finished = process.waitForFinished(60000);
        EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0)
            << arguments.join(' ').toStdString() << ": "
            << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    // Every task todoman sees, by title.
    std::map<QString, QJsonObject> tasks() const
    {
        std::map<QString, QJsonObject> byTitle;
        const QJsonArray all =
            QJsonDocument::fromJson(run({"--porcelain", "list", "--status", "ANY"})).array();
        for (const QJsonValue &task : all)
            byTitle.emplace(task["summary"].toString(), task.toObject());
        return byTitle;
    }
};

qint64 epoch(const QDateTime &time)
{
    return time.toSecsSinceEpoch();
}

} // namespace

TEST(RemindersTodoman, EachReadsWhatTheOtherWrote)
{
    if (QStandardPaths::findExecutable(todoman).isEmpty())
        FAIL() << "todoman is not installed (Debian package todoman)";
    TempHome home;
    LocalZone zone("Asia/Shanghai");
    const Todoman peer(home);
    RemindersService service;

    const QDateTime due(QDate(2026, 3, 15), QTime(18, 0));
    const QString longTitle = QString("语文｜") + QString("阅读课外书并写读后感").repeated(6);
    const auto written = await<WriteResult>([&](auto done) {
        service.writeRaw({{"数学｜P12", due}, {"语文｜背诵", {}}, {longTitle, due}}, "作业", true,
                         done);
    });
    ASSERT_TRUE(written && std::holds_alternative<WriteCounts>(written->result));
    auto rows = await<QList<ReminderRow>>([&](auto done) { service.rows("作业", done); });
    ASSERT_TRUE(rows);
    for (const ReminderRow &row : rows->result) {
        if (row.title == "语文｜背诵")
            service.setCompleted(row.id, true, [](bool ok) { EXPECT_TRUE(ok); });
    }

    std::map<QString, QJsonObject> seen = peer.tasks();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen["数学｜P12"]["due"].toInteger(), epoch(due));
    EXPECT_FALSE(seen["数学｜P12"]["completed"].toBool());
    EXPECT_EQ(seen["数学｜P12"]["list"].toString(), "作业");
    EXPECT_TRUE(seen["语文｜背诵"]["due"].isNull());
    EXPECT_TRUE(seen["语文｜背诵"]["completed"].toBool());
    EXPECT_EQ(seen[longTitle]["due"].toInteger(), epoch(due)) << "a long title survives folding";

    peer.run({"new", "-l", "作业", "--due", "2026-03-16 08:30", "英语｜听写"});
    peer.run({"new", "-l", "作业", "物理｜预习"});
    peer.run({"done", QString::number(peer.tasks()["物理｜预习"]["id"].toInt())});

    rows = await<QList<ReminderRow>>([&](auto done) { service.rows("作业", done); });
    ASSERT_TRUE(rows);
    std::map<QString, ReminderRow> read;
    for (const ReminderRow &row : rows->result)
        read.emplace(row.title, row);
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(read.at("英语｜听写").due, QDateTime(QDate(2026, 3, 16), QTime(8, 30)));
    EXPECT_FALSE(read.at("英语｜听写").completed);
    EXPECT_TRUE(read.at("物理｜预习").completed);
    EXPECT_FALSE(read.at("物理｜预习").due);
    EXPECT_EQ(read.at("数学｜P12").due, due);

    // What todoman made can be completed here and is still whole for todoman; its titles block
    // duplicates like any other.
    bool completed = false;
    service.setCompleted(read.at("英语｜听写").id, true, [&](bool ok) { completed = ok; });
    EXPECT_TRUE(completed);
    seen = peer.tasks();
    EXPECT_TRUE(seen["英语｜听写"]["completed"].toBool());
    EXPECT_EQ(seen["英语｜听写"]["due"].toInteger(),
              epoch(QDateTime(QDate(2026, 3, 16), QTime(8, 30))));
    const auto again = await<WriteResult>([&](auto done) {
        service.writeRaw({{"英语｜听写", {}}, {"物理｜预习", {}}}, "作业", true, done);
    });
    ASSERT_TRUE(again && std::holds_alternative<WriteCounts>(again->result));
    EXPECT_EQ(std::get<WriteCounts>(again->result).skipped, 2);
}

TEST(RemindersTodoman, DoneWithoutStatusReadsAsDoneAndAChangeKeepsCategoriesOnOneLine)
{
    if (QStandardPaths::findExecutable(todoman).isEmpty())
        FAIL() << "todoman is not installed (Debian package todoman)";
    TempHome home;
    const Todoman peer(home);
    RemindersService service;
    const QString list = VdirReminderStore::defaultRoot() + "/作业";
    writeFile(list + "/displayname", "作业");
    const auto ics = [](const char *uid, const char *summary, const char *extra) {
        return QStringLiteral(
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//other//"
                   "EN\r\nBEGIN:VTODO\r\nUID:%1\r\n"
                   "SUMMARY:%2\r\nCATEGORIES:作业,学校\r\n%3END:VTODO\r\nEND:VCALENDAR\r\n")
            .arg(uid, summary, extra)
            .toUtf8();
    };
    writeFile(list + "/a.ics", ics("a", "完成时间", "COMPLETED:20260315T120000Z\r\n"));
    writeFile(list + "/b.ics", ics("b", "百分之百", "PERCENT-COMPLETE:100\r\n"));
    writeFile(list + "/c.ics", ics("c", "未完成", "PERCENT-COMPLETE:40\r\n"));

    auto rows = await<QList<ReminderRow>>([&](auto done) { service.rows("作业", done); });
    ASSERT_TRUE(rows);
    std::map<QString, ReminderRow> read;
    for (const ReminderRow &row : rows->result)
        read.emplace(row.title, row);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_TRUE(read.at("完成时间").completed);
    EXPECT_TRUE(read.at("百分之百").completed);
    EXPECT_FALSE(read.at("未完成").completed);
    // Done ones count as present, like any other, when duplicates are skipped.
    const auto again = await<WriteResult>([&](auto done) {
        service.writeRaw({{"完成时间", {}}}, "作业", true, done);
    });
    ASSERT_TRUE(again && std::holds_alternative<WriteCounts>(again->result));
    EXPECT_EQ(std::get<WriteCounts>(again->result).skipped, 1);

    // Changed here, then still listed by todoman with both categories on the one line written.
    for (const QString title : {"未完成", "完成时间"}) {
        bool changed = false;
        service.setCompleted(read.at(title).id, title == "未完成", [&](bool ok) { changed = ok; });
        EXPECT_TRUE(changed) << title.toStdString();
    }
    EXPECT_TRUE(readFile(list + "/c.ics").contains("CATEGORIES:作业,学校\r\n"));
    EXPECT_EQ(readFile(list + "/c.ics").count("CATEGORIES"), 1);
    const std::map<QString, QJsonObject> seen = peer.tasks();
    ASSERT_EQ(seen.size(), 3u) << "todoman lists every changed file";
    EXPECT_TRUE(seen.at("未完成")["completed"].toBool());
    EXPECT_FALSE(seen.at("完成时间")["completed"].toBool())
        << "reopened here, open for todoman too";
}

TEST(RemindersTodoman, ReadsDueTimesFromTheFirstYearToTheLast)
{
    if (QStandardPaths::findExecutable(todoman).isEmpty())
        FAIL() << "todoman is not installed (Debian package todoman)";
    TempHome home;
    LocalZone zone("Etc/GMT-8"); // eight hours east of UTC in every year, here and in todoman
    const Todoman peer(home);
    RemindersService service;
    const std::map<QString, QDateTime> table = {
        {"元年", QDateTime(QDate(1, 1, 1), QTime(8, 0))}, // 0001-01-01 00:00 UTC
        {"三千年末", QDateTime(QDate(3000, 12, 31), QTime(23, 59))},
        {"三千零一年", QDateTime(QDate(3001, 1, 1), QTime(0, 0))},
        {"末年", QDateTime(QDate(9999, 12, 31), QTime(23, 59))},
    };
    QList<ReminderEntry> entries;
    for (const auto &[title, due] : table)
        entries.append({title, due});
    EXPECT_EQ(counts(writeRaw(service, entries, "作业")), std::pair(4, 0));

    std::map<QString, std::optional<QDateTime>> read;
    for (const ReminderRow &row : rows(service, "作业"))
        read.emplace(row.title, row.due);
    std::map<QString, QJsonObject> seen = peer.tasks();
    for (const auto &[title, due] : table) {
        EXPECT_EQ(read[title], due) << title.toStdString();
        EXPECT_EQ(seen[title]["due"].toInteger(), epoch(due)) << title.toStdString();
    }

    // A due after the last year is refused, and nothing of its batch is written.
    const auto refused = writeRaw(
        service, {{"可写", {}}, {"一万年", QDateTime(QDate(10000, 1, 1), QTime(0, 0))}}, "作业");
    ASSERT_TRUE(refused && std::holds_alternative<ReminderError>(refused->result));
    EXPECT_TRUE(std::get<ReminderError>(refused->result)
                    .description.startsWith("截止时间超出可保存的范围（公元 1 至 9999 年）"));
    EXPECT_EQ(peer.tasks().size(), table.size());
}
