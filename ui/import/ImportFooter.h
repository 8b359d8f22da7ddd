#pragma once

#include "ui/glass/GlassPanel.h"

class BusySpinner;
class GlassButton;
class QPushButton;
class StatusLine;

// The import screen's footer panel: the progress indicator while busy, the status line (at most
// two lines; a failed save stays until the user acts), "全选" / "全不选", and the write button,
// whose title and symbol follow the target.
class ImportFooter : public GlassPanel {
    Q_OBJECT

public:
    explicit ImportFooter(QWidget *parent = nullptr);

    void setBusy(bool busy);
    StatusLine *statusLine() const { return m_status; }
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
    StatusLine *m_status;
    QPushButton *m_selectAll;
    QPushButton *m_selectNone;
    GlassButton *m_write;
};
