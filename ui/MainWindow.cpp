#include "ui/MainWindow.h"

#include "bridges/notifications/NotificationService.h"
#include "data/TaskStore.h"
#include "ui/SettingsWindow.h"
#include "ui/glass/WindowConfigurator.h"
#include "ui/import/ImportView.h"
#include "ui/shell/ColorScheme.h"
#include "ui/shell/RootView.h"
#include "ui/shell/ShellTexts.h"
#include "ui/shell/Sidebar.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QVBoxLayout>

MainWindow::MainWindow(SharedObjects shared, QWidget *parent)
    : QWidget(parent), m_root(new RootView(shared, this))
{
    setWindowTitle(QStringLiteral("Slatebook"));
    new ColorScheme(this);
    WindowConfigurator::configure(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_root);
    // The design's first size, within the room the screen leaves (a scaled screen may have less);
    // the minimum size still wins.
    resize(QSize(1100, 760).boundedTo(m_root->roomOnScreen()));
    m_root->sidebar()->setAppMenu(makeAppMenu());
    addSectionShortcuts();
    // A test notification answers a click in Settings now; shown at the next start it would only
    // puzzle. Rebuilding the pending set keeps the due notifications and drops it.
    connect(qApp, &QCoreApplication::aboutToQuit, this,
            [shared] { shared.notify.reschedule(shared.store.allPending()); });
}

MainWindow::~MainWindow()
{
    delete m_settingsWindow;
}

SettingsWindow *MainWindow::settingsWindow() const
{
    return m_settingsWindow;
}

void MainWindow::openImage(const QString &path)
{
    m_root->setSection(AppSection::Importer);
    m_root->importView()->load(path);
}

void MainWindow::showSettingsWindow()
{
    if (!m_settingsWindow)
        m_settingsWindow = new SettingsWindow(m_root->shared());
    m_settingsWindow->show();
    m_settingsWindow->raise();
    m_settingsWindow->activateWindow();
}

QMenu *MainWindow::makeAppMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("appMenu"));
    QAction *settings =
        menu->addAction(ShellTexts::settingsAction(), this, &MainWindow::showSettingsWindow);
    settings->setObjectName(QStringLiteral("settingsAction"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    settings->setShortcutContext(Qt::WindowShortcut);
    menu->addSeparator();
    QAction *quit = menu->addAction(ShellTexts::quitAction(), qApp, &QCoreApplication::quit);
    quit->setObjectName(QStringLiteral("quitAction"));
    // Ctrl+Q also where the platform theme maps no Quit key, and from the settings window too.
    QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (!quitKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Q)))
        quitKeys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcuts(quitKeys);
    quit->setShortcutContext(Qt::ApplicationShortcut);
    // A menu's shortcuts work only for actions that belong to a shown widget.
    addAction(settings);
    addAction(quit);
    return menu;
}

void MainWindow::addSectionShortcuts()
{
    int number = 1;
    for (AppSection section : AppSections::all()) {
        auto *choose = new QAction(AppSections::rawValue(section), this);
        choose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + number++)));
        connect(choose, &QAction::triggered, this,
                [this, section] { m_root->setSection(section); });
        addAction(choose);
    }
}
