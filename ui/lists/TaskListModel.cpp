#include "ui/lists/TaskListModel.h"

#include "ui/lists/ListsTexts.h"

TaskListModel::TaskListModel(QObject *parent) : QAbstractListModel(parent) { }

void TaskListModel::setTasks(QList<TaskItem> tasks)
{
    beginResetModel();
    m_tasks = std::move(tasks);
    endResetModel();
}

int TaskListModel::rowOf(const QUuid &id) const
{
    for (int row = 0; row < m_tasks.size(); ++row) {
        if (m_tasks[row].id == id)
            return row;
    }
    return -1;
}

int TaskListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tasks.size());
}

QVariant TaskListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_tasks.size())
        return {};
    const TaskItem &task = m_tasks[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        return task.title;
    case Qt::AccessibleTextRole:
        return ListsTexts::rowName(task);
    case TaskIdRole:
        return task.id;
    default:
        return {};
    }
}
