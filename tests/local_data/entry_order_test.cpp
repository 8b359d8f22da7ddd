// sortEntries: the three ordering rules, applied stably even where they are not a strict weak
// order.
#include "data/EntryOrder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

TaskItem make(const QString &title, bool done = false, std::optional<int> dueHour = std::nullopt)
{
    TaskItem task;
    task.title = title;
    task.done = done;
    if (dueHour)
        task.due = QDateTime(QDate(2030, 1, 1), QTime(*dueHour, 0), Qt::UTC);
    return task;
}

QStringList titles(const QList<TaskItem> &tasks)
{
    QStringList result;
    for (const TaskItem &task : tasks)
        result.append(task.title);
    return result;
}

} // namespace

TEST(EntryOrder, TitlesCompareByCodePointsOfTheirComposedForm)
{
    // UTF-16 units would put the emoji (a surrogate pair) before U+FF5C, and decomposed "e" +
    // U+0301 before "f"; code points of the NFC form put them the other way round.
    QList<TaskItem> tasks = {make("\U0001F600"), make("\uFF5C"), make("e\u0301"), make("f")};
    sortEntries(tasks);
    EXPECT_EQ(titles(tasks), QStringList({"f", "e\u0301", "\uFF5C", "\U0001F600"}));
}

TEST(EntryOrder, AMixedListKeepsEveryEntryOnceAndTiesInTheirOrder)
{
    // Dated and undated entries mixed: no strict weak order, yet a well-defined stable result.
    QRandomGenerator random(20260305);
    QList<TaskItem> tasks;
    for (int i = 0; i < 500; ++i) {
        const bool dated = random.bounded(2) == 0;
        tasks.append(make(QString(QChar(u'a' + random.bounded(6))), random.bounded(4) == 0,
                          dated ? std::optional(int(random.bounded(3))) : std::nullopt));
    }
    QList<TaskItem> sorted = tasks;
    sortEntries(sorted);

    ASSERT_EQ(sorted.size(), tasks.size());
    QHash<QUuid, qsizetype> positionBefore;
    for (qsizetype i = 0; i < tasks.size(); ++i)
        positionBefore.insert(tasks[i].id, i);
    QSet<QUuid> seen;
    for (const TaskItem &task : sorted) {
        EXPECT_TRUE(positionBefore.contains(task.id)) << "nothing made up";
        EXPECT_FALSE(seen.contains(task.id)) << "nothing duplicated";
        seen.insert(task.id);
    }

    const auto firstDone =
        std::find_if(sorted.begin(), sorted.end(), [](const TaskItem &t) { return t.done; });
    EXPECT_TRUE(std::all_of(firstDone, sorted.end(), [](const TaskItem &t) { return t.done; }))
        << "every open entry before every done one";

    // Entries the rules cannot tell apart (same state, same title, same due or none) keep their
    // order.
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        for (qsizetype j = i + 1; j < sorted.size(); ++j) {
            const TaskItem &a = sorted[i], &b = sorted[j];
            if (a.done == b.done && a.title == b.title && a.due == b.due) {
                EXPECT_LT(positionBefore[a.id], positionBefore[b.id]);
            }
        }
    }
}
