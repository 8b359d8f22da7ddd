#include "data/TaskItem.h"

#include <algorithm>

int TaskList::remaining() const
{
    return int(
        std::count_if(tasks.begin(), tasks.end(), [](const TaskItem &task) { return !task.done; }));
}

double TaskList::progress() const
{
    if (tasks.isEmpty())
        return 0;
    return double(tasks.size() - remaining()) / double(tasks.size());
}
