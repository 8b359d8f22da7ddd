#pragma once

#include "ui/glass/GlassPanel.h"

class BusySpinner;
class GlassButton;
class QLabel;
class QPushButton;

// The import screen's footer panel: the progress indicator while busy, the status line (at most
// two lines), "全选" / "全不选", and the write button, whose title and symbol follow the target.
class ImportFooter : public GlassPanel {
    Q_OBJECT

public:
    explicit ImportFooter(QWidget *parent = nullptr);

    void setBusy(bool busy);
    void setStatus(const QString &status);
    void setHasItems(bool hasItems);
    void setWriteEnabled(bool enabled);
    void setTarget(bool saveToApp);

    // The buttons in the order Tab visits them.
    QList<QWidget *> focusChain() const;

signals:
    void selectAllRequested();
    void selectNoneRequested();
    void writeRequested();

private:
    BusySpinner *m_spinner;
    QLabel *m_status;
    QPushButton *m_selectAll;
    QPushButton *m_selectNone;
    GlassButton *m_write;
};
