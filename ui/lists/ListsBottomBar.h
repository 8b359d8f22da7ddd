#pragma once

#include "ui/glass/GlassPanel.h"

class QPushButton;
class StatusLine;

// The lists screen's bottom bar: its status line over the full width, then "清理已完成", the
// Reminders menu (export this list, import from Reminders) and "更多" (rename, delete the list).
class ListsBottomBar : public GlassPanel {
    Q_OBJECT

public:
    explicit ListsBottomBar(QWidget *parent = nullptr);

    StatusLine *statusLine() const { return m_status; }

signals:
    void clearCompletedRequested();
    void exportRequested();
    void importRequested();
    void renameRequested();
    void deleteRequested();

private:
    QPushButton *makeRemindersButton();
    QPushButton *makeMoreButton();

    StatusLine *m_status;
};
