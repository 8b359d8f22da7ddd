#pragma once

#include "ui/shell/SharedObjects.h"

#include <QPointer>
#include <QWidget>

class QMenuBar;
class RootView;
class SettingsWindow;

// The main window, titled "Slatebook": `RootView` filling a see-through window (see
// WindowConfigurator), no smaller than 980 × 700, with the application menu in the band at the
// top. The menu's "设置…" (Ctrl+,) opens the separate settings window.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(SharedObjects shared, QWidget *parent = nullptr);
    ~MainWindow() override;

    RootView *rootView() const { return m_root; }
    // The settings window once it has been opened.
    SettingsWindow *settingsWindow() const;

    // Shows the import screen and loads the image at `path` on it, as "Open with" asks.
    void openImage(const QString &path);
    void showSettingsWindow();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QMenuBar *makeMenuBar();

    RootView *m_root;
    QMenuBar *m_menuBar;
    QPointer<SettingsWindow> m_settingsWindow;
};
