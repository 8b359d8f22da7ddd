#pragma once

#include "ui/SharedObjects.h"

#include <QWidget>

class SettingsView;

// The separate settings window (Ctrl+,): its own settings screen padded 12 on every side, 560
// wide, over the same glass backdrop as the main window. It edits the same shared objects as
// the "设置" section, so both show every change.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    explicit SettingsWindow(SharedObjects shared, QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_backdrop;
    SettingsView *m_view;
};
