#include "ui/MainWindow.h"

#include "ui/SettingsWindow.h"
#include "ui/glass/WindowConfigurator.h"
#include "ui/import/ImportView.h"
#include "ui/shell/RootView.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QVBoxLayout>

MainWindow::MainWindow(SharedObjects shared, QWidget *parent)
    : QWidget(parent)
    , m_root(new RootView(shared, this))
    , m_menuBar(makeMenuBar())
{
    setWindowTitle(QStringLiteral("Slatebook"));
    WindowConfigurator::configure(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_root);
    setMinimumSize(m_root->minimumSize());
    resize(1100, 760);
    m_menuBar->raise();
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

void MainWindow::resizeEvent(QResizeEvent *event)
{
    // Over the root's top band, left of the sidebar's brand; the backdrop shows through it.
    m_menuBar->setGeometry(0, 0, width(), m_menuBar->sizeHint().height());
    QWidget::resizeEvent(event);
}

QMenuBar *MainWindow::makeMenuBar()
{
    auto *bar = new QMenuBar(this);
    bar->setStyleSheet(QStringLiteral("QMenuBar { background: transparent; }"));
    QMenu *menu = bar->addMenu(QStringLiteral("Slatebook"));
    QAction *settings = menu->addAction(QStringLiteral("设置…"), this, &MainWindow::showSettingsWindow);
    settings->setShortcut(QKeySequence(QStringLiteral("Ctrl+,")));
    settings->setShortcutContext(Qt::WindowShortcut);
    settings->setMenuRole(QAction::PreferencesRole);
    menu->addSeparator();
    QAction *quit = menu->addAction(QStringLiteral("退出 Slatebook"), qApp, &QCoreApplication::quit);
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    // With a desktop-wide menu bar the shortcuts must still reach this window.
    addAction(settings);
    addAction(quit);
    return bar;
}
