#include "ui/TrayKeeper.h"

#include "ui/shell/ShellTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QStyle>

TrayKeeper::TrayKeeper(QWidget &window, DesktopNotificationCenter &center, QObject *parent)
    : QObject(parent), m_window(window), m_center(center)
{
    m_menu.addAction(ShellTexts::showWindowAction(), this, &TrayKeeper::bringWindowToFront);
    m_menu.addAction(ShellTexts::trayQuitAction(), qApp, &QCoreApplication::quit);
    m_tray.setContextMenu(&m_menu);
    m_tray.setToolTip(QStringLiteral("Slatebook"));
    m_tray.setIcon(
        QIcon::fromTheme(QStringLiteral("slatebook"),
                         m_window.style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
    connect(&m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    bringWindowToFront();
            });
    connect(&m_center, &DesktopNotificationCenter::pendingChanged, this,
            &TrayKeeper::quitWhenNothingIsPending);
    m_window.installEventFilter(this);
}

void TrayKeeper::bringWindowToFront()
{
    m_tray.hide();
    QApplication::setQuitOnLastWindowClosed(true);
    m_window.show();
    m_window.setWindowState((m_window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window.raise();
    m_window.activateWindow();
}

bool TrayKeeper::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Close && m_center.hasPending() &&
        QSystemTrayIcon::isSystemTrayAvailable()) {
        event->ignore();
        hideInTray();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void TrayKeeper::hideInTray()
{
    // With the window hidden, closing any other window (a menu, a message) must not end the run.
    QApplication::setQuitOnLastWindowClosed(false);
    m_window.hide();
    m_tray.show();
}

void TrayKeeper::quitWhenNothingIsPending()
{
    if (m_tray.isVisible() && !m_center.hasPending())
        QCoreApplication::quit();
}
