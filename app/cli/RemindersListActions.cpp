#include "app/cli/RemindersListActions.h"

#include "app/cli/CliTexts.h"
#include "app/cli/RunAsync.h"
#include "bridges/reminders/ReminderStores.h"
#include "core/HorizontalSpace.h"

namespace {

QString dumpText(const QString &list, const QList<ReminderRow> &rows,
                 const RemindersService &reminders)
{
    if (rows.isEmpty()) {
        if (const std::optional<ReminderError> error = reminders.unreachable())
            return QStringLiteral("ERROR: ") + error->description;
        return QStringLiteral("未找到清单「") + list + QStringLiteral("」或清单为空。现有清单: ") +
            reminders.listNames().join(QStringLiteral(" / "));
    }
    QString text = QStringLiteral("清单「") + list + QStringLiteral("」共 ") +
        QString::number(rows.size()) + QStringLiteral(" 条:\n");
    for (const ReminderRow &row : rows) {
        text += QStringLiteral("  · ") + singleLine(row.title) + QStringLiteral("  截止:") +
            (row.due ? row.due->toLocalTime().toString(row.dueIsDay
                                                           ? QStringLiteral("yyyy-MM-dd")
                                                           : QStringLiteral("yyyy-MM-dd HH:mm"))
                     : QStringLiteral("无")) +
            QStringLiteral("  完成:") +
            (row.completed ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char('\n');
    }
    return text;
}

QString writeText(const WriteResult &result, const QString &list, qsizetype titleCount)
{
    if (const ReminderError *error = std::get_if<ReminderError>(&result))
        return QStringLiteral("ERROR: ") + error->description;
    const WriteCounts &counts = std::get<WriteCounts>(result);
    QString text = QStringLiteral("SUCCESS: 已写入 ") + QString::number(counts.written) +
        QLatin1Char('/') + QString::number(titleCount) + QStringLiteral(" 条到提醒事项清单「") +
        list + QStringLiteral("」");
    if (counts.skipped != 0)
        text += QStringLiteral("（跳过 ") + QString::number(counts.skipped) +
            QStringLiteral(" 条已存在）");
    return text;
}

QString deleteText(const DeleteResult &result, const QString &list)
{
    if (const ReminderError *error = std::get_if<ReminderError>(&result))
        return QStringLiteral("ERROR: ") + error->description;
    return QStringLiteral("SUCCESS: 已从提醒事项「") + list + QStringLiteral("」删除 ") +
        QString::number(std::get<int>(result)) + QStringLiteral(" 条");
}

} // namespace

void runRemindersListAction(const CliTask &task, const RemindersService &reminders,
                            const CliFinish &plainFinish)
{
    // Every answer says so when the setting named no store and the folder was used instead.
    const CliFinish finish = plainFinish.withNote(ReminderStores::fallbackNote());
    // Names and titles as single lines, as the app's own lists keep them: a list name ending in a
    // line break must find the list, not make a new one.
    QStringList titles;
    for (const QString &title : task.items.value_or(QStringList()))
        titles.append(singleLine(title));

    if (task.action == QLatin1String("dump")) {
        const QString list = singleLine(task.list.value_or(QString()));
        runAsync(
            [&reminders, list](const CliFinish &done) {
                reminders.rows(list, [&reminders, list, done](const QList<ReminderRow> &rows) {
                    done(dumpText(list, rows, reminders));
                });
            },
            finish);
    }

    if (task.action == QLatin1String("write")) {
        const QString list = singleLine(task.list.value_or(QStringLiteral("作业")));
        if (titles.isEmpty())
            finish(CliTexts::noItems());
        if (task.dueOutOfRange())
            finish(CliTexts::dueOutOfRange(*task.due));
        const std::optional<QDateTime> due = task.dueTime();
        QList<ReminderEntry> entries;
        for (const QString &title : titles)
            entries.append({title, due});
        runAsync(
            [&reminders, entries, list, count = titles.size()](const CliFinish &done) {
                reminders.writeRaw(entries, list, true,
                                   [list, count, done](const WriteResult &result) {
                                       done(writeText(result, list, count));
                                   });
            },
            finish);
    }

    if (task.action == QLatin1String("delete")) {
        const QString list = singleLine(task.list.value_or(QString()));
        if (titles.isEmpty())
            finish(CliTexts::noItems());
        runAsync(
            [&reminders, titles, list](const CliFinish &done) {
                reminders.deleteTitles(titles, list, [list, done](const DeleteResult &result) {
                    done(deleteText(result, list));
                });
            },
            finish);
    }

    finish(CliTexts::unknownAction(task.action));
}
