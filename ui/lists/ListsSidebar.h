#pragma once

#include "data/TaskItem.h"
#include "ui/glass/GlassPanel.h"

#include <QList>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;
class SymbolButton;
class ToneLabel;

// The lists screen's left column: "我的清单" with its "新建清单" button, the store's lists
// (each with its number of open entries), and a footer with the notification status and the
// links "从提醒事项导入…" and "打开数据目录".
class ListsSidebar : public GlassPanel {
    Q_OBJECT

public:
    static constexpr int fixedWidth = 200;

    explicit ListsSidebar(QWidget *parent = nullptr);

    // Shows the lists in store order with `current` selected.
    void setLists(const QList<TaskList> &lists, const std::optional<QString> &current);
    void setNotificationStatus(const QString &status);

signals:
    void listChosen(const QString &name);
    void newListRequested();
    void importRequested();
    void openFolderRequested();

private:
    QWidget *makeFooter();

    SymbolButton *m_newList;
    QListWidget *m_lists;
    ToneLabel *m_empty;
    ToneLabel *m_notifyStatus = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_openFolder = nullptr;
    bool m_filling = false;
};
