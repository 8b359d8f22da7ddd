#pragma once

#include "data/TaskItem.h"
#include "ui/glass/GlassPanel.h"
#include "ui/lists/VisibleTasks.h"

class ElidedLabel;
class QLineEdit;
class QProgressBar;
class SegmentedControl;
class ToneLabel;

// The lists screen's header: the chosen list's name, its counts and progress, the filter
// (未完成 / 已完成 / 全部) and the search field.
class ListsHeader : public GlassPanel {
    Q_OBJECT

public:
    explicit ListsHeader(QWidget *parent = nullptr);

    void showList(const TaskList &list);
    void setFilter(VisibleTasks::Filter filter);

signals:
    void filterChosen(VisibleTasks::Filter filter);
    void searchChanged(const QString &text);

private:
    ElidedLabel *m_name;
    ToneLabel *m_counts;
    ToneLabel *m_progressLabel;
    QProgressBar *m_progress;
    SegmentedControl *m_filter;
    QLineEdit *m_search;
};
