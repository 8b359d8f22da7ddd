#pragma once

#include "data/TaskItem.h"

#include <QAbstractListModel>
#include <QList>

// The visible entries of the current list, one row each, for the task list. Rows are painted by
// TaskRowDelegate rather than built from widgets, so a list of thousands filters at typing speed.
class TaskListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role { TaskIdRole = Qt::UserRole + 1 };

    explicit TaskListModel(QObject *parent = nullptr);

    void setTasks(QList<TaskItem> tasks);
    const QList<TaskItem> &tasks() const { return m_tasks; }
    const TaskItem &task(int row) const { return m_tasks.at(row); }
    // The row of the entry with that id, or -1.
    int rowOf(const QUuid &id) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QList<TaskItem> m_tasks;
};
