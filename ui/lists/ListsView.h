#pragma once

#include "data/TaskItem.h"
#include "ui/lists/VisibleTasks.h"
#include "ui/shell/SharedObjects.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

class ElidedLabel;
class ImportFromRemindersSheet;
class ListsSidebar;
class NewListPrompt;
class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedLayout;
class SegmentedControl;
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
    // Opens the new-list prompt, pre-filled with the default list name for today.
    void newList();
    // Opens the import sheet (`showImport`).
    void openImportSheet();

signals:
    // After the visible entries were rebuilt (a change of list, filter, search or store).
    void visibleTasksChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeDetail();
    QWidget *makeHeader();
    QWidget *makeAddBar();
    QWidget *makeTaskList();
    QWidget *makeBottomBar();
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
    ElidedLabel *m_name = nullptr;
    ToneLabel *m_counts = nullptr;
    ToneLabel *m_progressLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    SegmentedControl *m_filterControl = nullptr;
    QLineEdit *m_searchField = nullptr;
    QLineEdit *m_addField = nullptr;
    QCheckBox *m_dueCheck = nullptr;
    QDateTimeEdit *m_dueEdit = nullptr;
    QPushButton *m_addButton = nullptr;
    TaskListModel *m_model = nullptr;
    QListView *m_taskView = nullptr;
    ToneLabel *m_emptyTasks = nullptr;
    StatusLine *m_statusLine = nullptr;
    QPushButton *m_clearButton = nullptr;
    QMenu *m_remindersMenu = nullptr;
    QMenu *m_moreMenu = nullptr;
    QPointer<ImportFromRemindersSheet> m_sheet;
    QPointer<NewListPrompt> m_prompt;
};
