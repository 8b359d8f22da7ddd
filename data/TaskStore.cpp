#include "data/TaskStore.h"

#include "core/HorizontalSpace.h"
#include "data/EntryOrder.h"
#include "data/StoreLog.h"
#include "data/TaskListsJson.h"

#include <QSet>

namespace {

QString canonical(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

bool sameText(const QString &a, const QString &b)
{
    return a == b || canonical(a) == canonical(b);
}

} // namespace

TaskStore::TaskStore(const QString &dir, QObject *parent)
    : QObject(parent), m_dir(dir), m_file(dir + QStringLiteral("/tasks.json"),
                                          {[this](const QByteArray &bytes) { return adopt(bytes); },
                                           [this] { return TaskListsJson::encode(m_lists); }})
{
    m_file.reload(StoreFile::Read::Always);
    connect(&m_file, &StoreFile::contentChanged, this, &TaskStore::listsChanged);
    connect(&m_file, &StoreFile::saveFailed, this, &TaskStore::saveFailed);
}

StoreFile::Decoded TaskStore::adopt(const QByteArray &bytes)
{
    std::optional<TaskListsJson::Decoded> decoded = TaskListsJson::decode(bytes);
    if (!decoded)
        return StoreFile::Decoded::Unreadable;
    m_lists = std::move(decoded->lists);
    if (decoded->skipped == 0)
        return StoreFile::Decoded::Whole;
    qCDebug(lcStore) << "left out" << decoded->skipped << "unreadable lists or entries of"
                     << m_file.path();
    return StoreFile::Decoded::Partly;
}

std::optional<qsizetype> TaskStore::index(const QString &rawName) const
{
    const QString name = singleLine(rawName);
    for (qsizetype i = 0; i < m_lists.size(); ++i) {
        if (sameText(m_lists[i].name, name))
            return i;
    }
    return std::nullopt;
}

std::optional<TaskList> TaskStore::list(const QString &name) const
{
    if (const auto position = index(name))
        return m_lists[*position];
    return std::nullopt;
}

qsizetype TaskStore::ensureListInMemory(const QString &name)
{
    if (const auto position = index(name))
        return *position;
    TaskList list;
    list.name = singleLine(name);
    m_lists.append(std::move(list));
    return m_lists.size() - 1;
}

qsizetype TaskStore::ensureList(const QString &name)
{
    return m_file.change([&](bool &changed) {
        const qsizetype before = m_lists.size();
        const qsizetype position = ensureListInMemory(name);
        changed = m_lists.size() != before;
        return position;
    });
}

TaskStore::AddResult TaskStore::add(const QStringList &titles, const QString &listName,
                                    const std::optional<QDateTime> &due,
                                    const std::optional<QString> &source)
{
    // A new list and its entries are saved together, under one lock.
    return m_file.change([&](bool &changed) {
        TaskList &list = m_lists[ensureListInMemory(listName)];
        QSet<QString> present;
        for (const TaskItem &task : std::as_const(list.tasks))
            present.insert(canonical(task.title));

        AddResult result;
        for (const QString &title : titles) {
            const QString trimmed = singleLine(title);
            if (trimmed.isEmpty())
                continue;
            const QString key = canonical(trimmed);
            if (present.contains(key)) {
                ++result.skipped;
                continue;
            }
            present.insert(key);
            TaskItem task;
            task.title = trimmed;
            task.due = due;
            task.source = source;
            list.tasks.append(std::move(task));
            ++result.added;
        }
        // Also when nothing was added: a list put out of order by other means is set right again.
        sortEntries(list.tasks);
        changed = true;
        return result;
    });
}

void TaskStore::addTask(const QString &title, const std::optional<QDateTime> &due,
                        const QString &listName)
{
    add({title}, listName, due);
}

void TaskStore::toggle(const QUuid &taskId, const QString &listName)
{
    m_file.change([&](bool &changed) {
        const auto position = index(listName);
        if (!position)
            return;
        for (TaskItem &task : m_lists[*position].tasks) {
            if (task.id != taskId)
                continue;
            task.done = !task.done;
            task.completedAt =
                task.done ? std::optional(QDateTime::currentDateTimeUtc()) : std::nullopt;
            changed = true;
            return;
        }
    });
}

void TaskStore::update(const TaskItem &task, const QString &listName)
{
    m_file.change([&](bool &changed) {
        const auto position = index(listName);
        if (!position)
            return;
        for (TaskItem &existing : m_lists[*position].tasks) {
            if (existing.id == task.id) {
                existing = task;
                existing.title = singleLine(task.title);
                changed = true;
                return;
            }
        }
    });
}

void TaskStore::deleteTask(const QUuid &taskId, const QString &listName)
{
    m_file.change([&](bool &changed) {
        if (const auto position = index(listName)) {
            m_lists[*position].tasks.removeIf(
                [&](const TaskItem &task) { return task.id == taskId; });
            changed = true;
        }
    });
}

std::optional<int> TaskStore::deleteTitles(const QStringList &titles, const QString &listName)
{
    return m_file.change([&](bool &changed) -> std::optional<int> {
        const auto position = index(listName);
        if (!position)
            return std::nullopt;
        QSet<QString> doomed;
        // As given, blanks included; one with a line break also as the single line it is
        // stored as.
        for (const QString &title : titles) {
            doomed.insert(canonical(title));
            if (singleLine(title) != trimHorizontalSpace(title))
                doomed.insert(canonical(singleLine(title)));
        }
        changed = true;
        return int(m_lists[*position].tasks.removeIf(
            [&](const TaskItem &task) { return doomed.contains(canonical(task.title)); }));
    });
}

int TaskStore::clearCompleted(const QString &listName)
{
    return m_file.change([&](bool &changed) {
        const auto position = index(listName);
        if (!position)
            return 0;
        changed = true;
        return int(
            m_lists[*position].tasks.removeIf([](const TaskItem &task) { return task.done; }));
    });
}

void TaskStore::rename(const QString &oldName, const QString &newName)
{
    m_file.change([&](bool &changed) {
        if (const auto position = index(oldName)) {
            m_lists[*position].name = singleLine(newName);
            changed = true;
        }
    });
}

void TaskStore::deleteList(const QString &name)
{
    m_file.change([&](bool &changed) {
        m_lists.removeIf([&, single = singleLine(name)](const TaskList &list) {
            return sameText(list.name, single);
        });
        changed = true;
    });
}

QList<TaskStore::PendingTask> TaskStore::allPending() const
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<PendingTask> pending;
    for (const TaskList &list : m_lists) {
        for (const TaskItem &task : list.tasks) {
            if (!task.done && task.due && *task.due > now)
                pending.append({task.id, task.title, *task.due, list.name});
        }
    }
    return pending;
}

int TaskStore::todayPending() const
{
    const QDate today = QDate::currentDate();
    int count = 0;
    for (const TaskList &list : m_lists) {
        for (const TaskItem &task : list.tasks) {
            if (!task.done && (!task.due || task.due->toLocalTime().date() == today))
                ++count;
        }
    }
    return count;
}
