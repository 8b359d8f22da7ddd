#include "ui/lists/VisibleTasks.h"

#include <algorithm>

namespace VisibleTasks {

QList<Filter> filters()
{
    return {Filter::Todo, Filter::Done, Filter::All};
}

bool passes(const TaskItem &task, Filter filter)
{
    switch (filter) {
    case Filter::Todo:
        return !task.done;
    case Filter::Done:
        return task.done;
    case Filter::All:
        return true;
    }
    return true;
}

bool matches(const TaskItem &task, const QString &search)
{
    return search.isEmpty() || task.title.contains(search, Qt::CaseInsensitive);
}

bool before(const TaskItem &a, const TaskItem &b)
{
    if (a.done != b.done)
        return !a.done;
    if (a.due.has_value() != b.due.has_value())
        return a.due.has_value();
    if (a.due && b.due && *a.due != *b.due)
        return *a.due < *b.due;
    return a.title < b.title;
}

QList<TaskItem> of(const QList<TaskItem> &tasks, Filter filter, const QString &search)
{
    QList<TaskItem> visible;
    visible.reserve(tasks.size());
    for (const TaskItem &task : tasks) {
        if (passes(task, filter) && matches(task, search))
            visible.append(task);
    }
    std::stable_sort(visible.begin(), visible.end(), before);
    return visible;
}

} // namespace VisibleTasks
