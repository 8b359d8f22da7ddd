// Screenshot tool: bench/screens [OUTPUT_DIR [IMAGE]] renders the main window at 1100 × 760 in
// every sidebar section, the import screen in its Empty, Recognising, Result (raw text closed
// and open) and Write-failed states (that one also at the minimum 980 × 700), and the settings
// window, under a light and a dark palette, to OUTPUT_DIR/<palette>-<view>.png (default
// ./screens). IMAGE is the homework photo to import (default: the test corpus'
// 03-print-photo.jpg). Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, in a
// temporary HOME.

#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/DataFolder.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportView.h"
#include "ui/import/RawTextSection.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

void useHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    qputenv("XDG_STATE_HOME", (home + "/.local/state").toUtf8());
    qputenv("XDG_CACHE_HOME", (home + "/.cache").toUtf8());
}

QPalette darkPalette()
{
    QPalette p;
    const QColor window(38, 38, 42), text(236, 236, 240), base(28, 28, 31), button(54, 54, 59);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(10, 132, 255));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(140, 140, 146));
    p.setColor(QPalette::ToolTipBase, button);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Light, button.lighter(150));
    p.setColor(QPalette::Midlight, button.lighter(125));
    p.setColor(QPalette::Mid, button.darker(120));
    p.setColor(QPalette::Dark, button.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Link, QColor(90, 160, 255));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(118, 118, 124));
    p.setColor(QPalette::Disabled, QPalette::Button, window);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    return p;
}

void settle(int milliseconds = 250)
{
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

bool waitIdle(ImportView *view)
{
    QDeadlineTimer deadline(300000);
    while (view->isBusy() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    settle();
    return !view->isBusy();
}

class Shooter {
public:
    Shooter(QString folder, QString scheme)
        : m_folder(std::move(folder))
        , m_scheme(std::move(scheme))
    {
    }

    void shoot(QWidget *widget, const QString &view) const
    {
        settle();
        const QString path = QStringLiteral("%1/%2-%3.png").arg(m_folder, m_scheme, view);
        if (widget->grab().save(path))
            std::printf("%s\n", qPrintable(path));
        else
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }

private:
    QString m_folder;
    QString m_scheme;
};

const char *sectionFileName(AppSection section)
{
    switch (section) {
    case AppSection::Importer:
        return "section-importer";
    case AppSection::Lists:
        return "section-lists";
    case AppSection::History:
        return "section-history";
    case AppSection::Settings:
        return "section-settings";
    case AppSection::About:
        return "section-about";
    }
    return "section";
}

void shootScheme(const SharedObjects &shared, const Shooter &shooter, const QString &photo)
{
    MainWindow window(shared);
    window.resize(1100, 760);
    window.show();
    RootView *root = window.rootView();
    for (AppSection section : AppSections::all()) {
        root->setSection(section);
        shooter.shoot(&window, QString::fromLatin1(sectionFileName(section)));
    }

    root->setSection(AppSection::Lists);
    root->setSection(AppSection::Importer);
    ImportView *view = root->importView();
    shooter.shoot(&window, QStringLiteral("import-empty"));

    view->load(photo);
    shooter.shoot(&window, QStringLiteral("import-recognising"));
    if (!waitIdle(view))
        std::fprintf(stderr, "recognition did not finish\n");
    shooter.shoot(&window, QStringLiteral("import-result"));
    view->rawTextSection()->setExpanded(true);
    shooter.shoot(&window, QStringLiteral("import-result-raw-text"));

    // A file where the Reminders folder belongs: the write fails.
    const QString reminders = QString::fromUtf8(qgetenv("XDG_DATA_HOME")) + QStringLiteral("/Slatebook/Reminders");
    QDir(reminders).removeRecursively();
    QFile(reminders).open(QIODevice::WriteOnly);
    view->header()->targetSwitch()->setCurrentIndex(1);
    view->write();
    waitIdle(view);
    shooter.shoot(&window, QStringLiteral("import-write-failed"));
    QFile::remove(reminders);
    // The smallest window the layout must still fit.
    window.resize(980, 700);
    shooter.shoot(&window, QStringLiteral("import-write-failed-980x700"));

    window.showSettingsWindow();
    shooter.shoot(window.settingsWindow(), QStringLiteral("settings-window"));
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    useHome(home.path());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Slatebook"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const QStringList arguments = QCoreApplication::arguments();
    const QString folder = arguments.size() > 1 ? arguments.at(1) : QStringLiteral("screens");
    const QString photo = arguments.size() > 2 ? arguments.at(2)
                                               : QStringLiteral(SLATEBOOK_TEST_DATA "/03-print-photo.jpg");
    QDir().mkpath(folder);

    AppSettings settings;
    HistoryStore history;
    RemindersService service;
    TaskStore store(DataFolder::path());
    NotificationService &notify = NotificationService::shared();
    const SharedObjects shared{settings, history, service, store, notify};

    const QPalette light = QApplication::style()->standardPalette();
    QApplication::setPalette(light);
    shootScheme(shared, Shooter(folder, QStringLiteral("light")), photo);
    QApplication::setPalette(darkPalette());
    shootScheme(shared, Shooter(folder, QStringLiteral("dark")), photo);
    return 0;
}
