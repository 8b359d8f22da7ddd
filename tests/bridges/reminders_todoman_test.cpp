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

// Every row of the list, by title.
std::map<QString, ReminderRow> byTitle(const QList<ReminderRow> &rows)
{
    std::map<QString, ReminderRow> read;
    for (const ReminderRow &row : rows)
        read.emplace(row.title, row);
    return read;
}

class RemindersTodoman : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(todoman).isEmpty())
            FAIL() << "todoman is not installed (Debian package todoman)";
    }
    TempHome home;
    const Todoman peer{home};
};

} // namespace

TEST_F(RemindersTodoman, EachReadsWhatTheOtherWrote)
{
    LocalZone zone("Asia/Shanghai");
    RemindersService service;

    const QDateTime due(QDate(2026, 3, 15), QTime(18, 0));
    const QString longTitle = QString("语文｜") + QString("阅读课外书并写读后感").repeated(6);
    ASSERT_EQ(counts(writeRaw(service, {{"数学｜P12", due}, {"语文｜背诵", {}}, {longTitle, due}},
                              "作业")),
              std::pair(3, 0));
    EXPECT_TRUE(setCompleted(service, rowId(service, "作业", "语文｜背诵"), true));

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

    const std::map<QString, ReminderRow> read = byTitle(rows(service, "作业"));
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(read.at("英语｜听写").due, QDateTime(QDate(2026, 3, 16), QTime(8, 30)));
    EXPECT_FALSE(read.at("英语｜听写").completed);
    EXPECT_TRUE(read.at("物理｜预习").completed);
    EXPECT_FALSE(read.at("物理｜预习").due);
    EXPECT_EQ(read.at("数学｜P12").due, due);

    // What todoman made can be completed here and is still whole for todoman; its titles block
    // duplicates like any other.
    EXPECT_TRUE(setCompleted(service, read.at("英语｜听写").id, true));
    seen = peer.tasks();
    EXPECT_TRUE(seen["英语｜听写"]["completed"].toBool());
    EXPECT_EQ(seen["英语｜听写"]["due"].toInteger(),
              epoch(QDateTime(QDate(2026, 3, 16), QTime(8, 30))));
    EXPECT_EQ(counts(writeRaw(service, {{"英语｜听写", {}}, {"物理｜预习", {}}}, "作业")),
              std::pair(0, 2));
}

TEST_F(RemindersTodoman, ReadsDueTimesFromTheFirstYearToTheLast)
{
    LocalZone zone("Etc/GMT-8"); // eight hours east of UTC in every year, here and in todoman
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

    std::map<QString, ReminderRow> read = byTitle(rows(service, "作业"));
    std::map<QString, QJsonObject> seen = peer.tasks();
    for (const auto &[title, due] : table) {
        EXPECT_EQ(read[title].due, due) << title.toStdString();
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
