#include "app/cli/AppListActions.h"

#include "app/cli/CliTexts.h"
#include "core/HorizontalSpace.h"

namespace {

const QString commandSource = QStringLiteral("命令导入");

QString dueText(const QDateTime &due)
{
    return due.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString dumpAll(const TaskStore &store)
{
    QString text = QStringLiteral("共 ") + QString::number(store.lists().size()) +
        QStringLiteral(" 个清单:\n");
    for (const TaskList &list : store.lists()) {
        text += QStringLiteral("  · ") + singleLine(list.name) + QStringLiteral("  ") +
            QString::number(list.remaining()) + QStringLiteral(" 待办 / ") +
            QString::number(list.tasks.size()) + QStringLiteral(" 总计\n");
    }
    return text;
}

QString dumpList(const QString &name, const TaskList &list)
{
    QString text = QStringLiteral("清单「") + singleLine(name) + QStringLiteral("」共 ") +
        QString::number(list.tasks.size()) + QStringLiteral(" 条（") +
        QString::number(list.remaining()) + QStringLiteral(" 未完成）:\n");
    for (const TaskItem &task : list.tasks) {
        text += QStringLiteral("  [") + (task.done ? QLatin1Char('x') : QLatin1Char(' ')) +
            QStringLiteral("] ") + singleLine(task.title);
        if (task.due)
            text += QStringLiteral("  截止:") + dueText(*task.due);
        text += QLatin1Char('\n');
    }
    return text;
}

QString dump(const QString &name, const TaskStore &store)
{
    if (name.isEmpty())
        return dumpAll(store);
    if (const std::optional<TaskList> list = store.list(name))
        return dumpList(name, *list);
    QStringList names;
    for (const TaskList &list : store.lists())
        names.append(singleLine(list.name));
    return QStringLiteral("未找到清单「") + singleLine(name) + QStringLiteral("」。现有: ") +
        (names.isEmpty() ? QStringLiteral("(空)") : names.join(QStringLiteral(" / ")));
}

QString write(const CliTask &task, TaskStore &store)
{
    const QString name = singleLine(task.list.value_or(QStringLiteral("作业")));
    const QStringList titles = task.items.value_or(QStringList());
    if (titles.isEmpty())
        return CliTexts::noItems();
    if (task.dueOutOfRange())
        return CliTexts::dueOutOfRange(*task.due);
    const TaskStore::AddResult result = store.add(titles, name, task.dueTime(), commandSource);
    if (const std::optional<QString> &error = store.saveError())
        return QStringLiteral("ERROR: ") + *error;
    QString text = QStringLiteral("SUCCESS: 已写入 ") + QString::number(result.added) +
        QLatin1Char('/') + QString::number(titles.size()) + QStringLiteral(" 条到 App 清单「") +
        name + QStringLiteral("」");
    if (result.skipped != 0)
        text += QStringLiteral("（跳过 ") + QString::number(result.skipped) +
            QStringLiteral(" 条已存在）");
    return text;
}

QString remove(const CliTask &task, TaskStore &store)
{
    // Matched as given; shown on one line, so the result's first line stays whole.
    const QString name = task.list.value_or(QString());
    const QStringList titles = task.items.value_or(QStringList());
    if (titles.isEmpty())
        return CliTexts::noItems();
    const std::optional<int> removed = store.deleteTitles(titles, name);
    if (!removed)
        return QStringLiteral("未找到清单「") + singleLine(name) + QStringLiteral("」");
    if (const std::optional<QString> &error = store.saveError())
        return QStringLiteral("ERROR: ") + *error;
    return QStringLiteral("SUCCESS: 已从 App 清单「") + singleLine(name) +
        QStringLiteral("」删除 ") + QString::number(*removed) + QStringLiteral(" 条");
}

} // namespace

QString runAppListAction(const CliTask &task, TaskStore &store)
{
    if (task.action == QLatin1String("dump"))
        return dump(task.list.value_or(QString()), store);
    if (task.action == QLatin1String("write"))
        return write(task, store);
    if (task.action == QLatin1String("delete"))
        return remove(task, store);
    return CliTexts::unknownAction(task.action);
}
