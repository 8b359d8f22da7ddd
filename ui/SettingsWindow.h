#pragma once

#include <QWidget>

// The separate settings window (Ctrl+,): the settings screen padded 12 on every side, 560 wide,
// over the same glass backdrop as the main window. The settings screen itself is still empty.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    explicit SettingsWindow(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_backdrop;
};
