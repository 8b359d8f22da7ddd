#pragma once

#include "ui/SharedObjects.h"

#include <QPointer>
#include <QWidget>

class QMenu;
class RootView;
class SettingsWindow;

// The main window, titled "Slatebook": `RootView` filling a see-through window (see
// WindowConfigurator), no smaller than 980 × 700. The application menu hangs from a button in the
// sidebar's brand row, so the content starts right under the window manager's title bar: "设置…"
// (Ctrl+,) opens the separate settings window, "退出 Slatebook" (Ctrl+Q) quits. Ctrl+1 … Ctrl+5
// choose the sidebar's sections. The palette follows the desktop's light or dark choice
// (`ColorScheme`).
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

private:
    QMenu *makeAppMenu();
    void addSectionShortcuts();

    RootView *m_root;
    QPointer<SettingsWindow> m_settingsWindow;
};
