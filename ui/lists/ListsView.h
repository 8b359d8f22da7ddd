#pragma once

#include "data/TaskItem.h"
#include "ui/SharedObjects.h"
#include "ui/lists/VisibleTasks.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

class ImportFromRemindersSheet;
class ListsAddBar;
class ListsHeader;
class ListsSidebar;
class NewListPrompt;
class QLabel;
class QListView;
class QStackedLayout;
class StatusLine;
class TaskListModel;
class ToneLabel;

// `ListsView`: the app's own lists. Choose a list, add entries with an optional due time, tick
// them off, delete, filter and search them, clear the completed ones, rename or delete the list,
// export it to Reminders or take entries over from a Reminders list. Due notifications follow
// every change made here. It redraws whenever the task store changes, also when another process
// (the command line) rewrote "tasks.json".
class ListsView : public QWidget {
    Q_OBJECT

public:
    explicit ListsView(SharedObjects shared, QWidget *parent = nullptr);

    // `currentName`: the selected list when it exists, else the store's first list.
    std::optional<QString> currentName() const;
    void select(const std::optional<QString> &name);
    VisibleTasks::Filter filter() const { return m_filter; }
    void setFilter(VisibleTasks::Filter filter);
    QString search() const { return m_search; }
    const QList<TaskItem> &visibleTasks() const;
    QString status() const;

    // The actions of the screen's controls.
    void addEntry();
    void toggle(const QUuid &taskId);
    void deleteTask(const QUuid &taskId);
    void clearCompleted();
    void renameList();
    void deleteList();
    void exportList();
    // Opens the new-list prompt (also Ctrl+N), pre-filled with the default list name for today.
    void newList();
    // Opens the sheet that brings a Reminders list in.
    void openImportSheet();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeDetail();
    QWidget *makeTaskList();
    QWidget *makeEmptyState();
    void refresh();
    void refreshTasks();
    void showPendingCount();

    SharedObjects m_shared;
    std::optional<QString> m_selected;
    VisibleTasks::Filter m_filter = VisibleTasks::Filter::Todo;
    QString m_search;

    ListsSidebar *m_sidebar;
    QStackedLayout *m_pages = nullptr;
    QWidget *m_detail = nullptr;
    QWidget *m_emptyState = nullptr;
    ListsHeader *m_header = nullptr;
    ListsAddBar *m_addBar = nullptr;
    TaskListModel *m_model = nullptr;
    QListView *m_taskView = nullptr;
    ToneLabel *m_emptyTasks = nullptr;
    StatusLine *m_statusLine = nullptr;
    QPointer<ImportFromRemindersSheet> m_sheet;
    QPointer<NewListPrompt> m_prompt;
};
