#pragma once

#include "bridges/notifications/DesktopNotificationCenter.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QWidget>

// Keeps Slatebook running in the system tray while notifications are pending, so that they
// arrive on time: closing the window then hides it behind a tray icon with "显示窗口" and "退出".
// Without a tray, or with nothing pending, closing the window quits as usual, and what is missed
// is shown at the next start. Hidden in the tray, Slatebook quits once nothing is pending.
class TrayKeeper : public QObject {
    Q_OBJECT

public:
    TrayKeeper(QWidget &window, DesktopNotificationCenter &center, QObject *parent = nullptr);

public slots:
    // Shows the window (from the tray, or minimised), raises and activates it.
    void bringWindowToFront();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hideInTray();
    void quitWhenNothingIsPending();

    QWidget &m_window;
    DesktopNotificationCenter &m_center;
    QMenu m_menu;
    QSystemTrayIcon m_tray;
};
