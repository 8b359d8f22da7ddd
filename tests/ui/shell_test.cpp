#include "Named.h"
#include "ScreenHarness.h"
#include "support/TestPaths.h"

#include "bridges/notifications/NotificationRequests.h"
#include "data/DefaultsStore.h"
#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/about/AboutView.h"
#include "ui/glass/GlassPalette.h"
#include "ui/import/ImageFileDialog.h"
#include "ui/import/ImportView.h"
#include "ui/shell/QtTranslations.h"
#include "ui/shell/RootView.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarEntry.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

AppSection startSectionWith(const std::optional<QString> &stored)
{
    ScreenHarness harness;
    if (stored)
        DefaultsStore().setValue(Setting::StartSection, *stored);
    MainWindow window(harness.shared());
    return window.rootView()->section();
}

void removeTranslators()
{
    for (QTranslator *translator : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Qt's own texts and formats are Chinese, like the window's, even on an English desktop.
TEST(QtTranslationsTest, QtsOwnTextsAreChineseOnAnEnglishDesktop)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_EQ(QtTranslations::install(*qApp), QStringLiteral("zh_CN"));

    // The picture dialog: buttons, the type column, and each extension once.
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("作业")));
    QFile picture(folder.filePath(QStringLiteral("photo.PNG")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.close();
    ImageFileDialog dialog;
    dialog.setDirectory(folder.path());
    auto *buttons = dialog.findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    const QString filter = dialog.nameFilters().value(0);
    const QStringList patterns =
        filter.mid(filter.indexOf(QLatin1Char('(')) + 1).chopped(1).split(QLatin1Char(' '));
    QStringList distinct = patterns;
    for (QString &pattern : distinct)
        pattern = pattern.toLower();
    distinct.removeDuplicates();
    EXPECT_EQ(distinct.size(), patterns.size()) << filter.toStdString();
    EXPECT_TRUE(patterns.contains(QStringLiteral("*.png")));
    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_NE(model, nullptr);
    const QModelIndex sub = model->index(folder.filePath(QStringLiteral("作业")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model->data(sub.siblingAtColumn(2)).isNull(); }));
    EXPECT_EQ(model->data(sub.siblingAtColumn(2)).toString(), QStringLiteral("文件夹"));
    // An upper-case extension is matched by the lower-case pattern.
    EXPECT_TRUE(model->flags(model->index(picture.fileName())) & Qt::ItemIsEnabled);

    // A text field's context menu and the calendar.
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions())
        entries.append(action->text());
    EXPECT_TRUE(entries.join(u'|').contains(QStringLiteral("粘贴")))
        << entries.join(u'|').toStdString();
    QCalendarWidget calendar;
    calendar.setSelectedDate(QDate(2026, 1, 15));
    auto *month = calendar.findChild<QToolButton *>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), QStringLiteral("一月"));

    removeTranslators();
    QLocale::setDefault(before);
}

// A test notification answers a click now; still pending at quit, it is dropped, and the due
// notifications stay for the next start.
TEST(QuitTest, ATestNotificationPendingAtQuitIsDropped)
{
    ScreenHarness harness;
    harness.notify.setEnabled(true);
    const QString list = QStringLiteral("3.15作业");
    harness.store.ensureList(list);
    harness.store.addTask(QStringLiteral("数学｜P12"), QDateTime::currentDateTime().addDays(1),
                          list);
    harness.notify.reschedule(harness.store.allPending());
    harness.center.add(NotificationRequests::test());
    ASSERT_EQ(harness.pendingNotifications().size(), 2);

    MainWindow window(harness.shared());
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();

    const QList<NotificationRequest> left = harness.pendingNotifications();
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(NotificationRequests::isDue(left.first().identifier));
}

// One version, from the build: what --version prints (without a display) and what About shows.
TEST(VersionTest, TheCommandLineAndAboutShowTheProjectVersion)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(TestPaths::slatebook(), {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              QStringLiteral("slatebook " SLATEBOOK_VERSION "\n"));

    ScreenHarness harness;
    QCoreApplication::setApplicationVersion(QStringLiteral(SLATEBOOK_VERSION));
    AboutView about(harness.shared());
    EXPECT_EQ(named<QLabel>(&about, "versionLabel")->text(),
              QStringLiteral("版本 " SLATEBOOK_VERSION));
    QCoreApplication::setApplicationVersion(QString());
}

TEST(RootViewTest, OpensOnTheStoredStartSection)
{
    EXPECT_EQ(startSectionWith(std::nullopt), AppSection::Importer);
    EXPECT_EQ(startSectionWith(QStringLiteral("我的清单")), AppSection::Lists);
    EXPECT_EQ(startSectionWith(QStringLiteral("历史记录")), AppSection::History);
    EXPECT_EQ(startSectionWith(QStringLiteral("Lists")), AppSection::Importer);
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(harness.shared());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    SidebarEntry *entry(AppSection section) const
    {
        return window->rootView()->sidebar()->entry(section);
    }

    static void pointerEnters(SidebarEntry *entry)
    {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(entry, &enter);
    }

    static void pointerLeaves(SidebarEntry *entry)
    {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(entry, &leave);
    }

    ScreenHarness harness;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ShellTest, SectionsListInOrderAndTheSelectedOneStandsOut)
{
    QStringList titles;
    for (AppSection section : AppSections::all())
        titles.append(entry(section)->text());
    EXPECT_EQ(
        titles,
        (QStringList{QStringLiteral("导入作业"), QStringLiteral("我的清单"),
                     QStringLiteral("历史记录"), QStringLiteral("设置"), QStringLiteral("关于")}));

    QTest::mouseClick(entry(AppSection::History), Qt::LeftButton);
    EXPECT_EQ(window->rootView()->section(), AppSection::History);
    EXPECT_EQ(window->rootView()->importView(), nullptr);

    const QPalette palette = window->palette();
    SidebarEntry *selected = entry(AppSection::History);
    // The look eases in.
    ASSERT_TRUE(waitUntil([&] { return selected->outlineColor().alphaF() > 0.599; }, 2000));
    EXPECT_EQ(selected->fillColor().rgb(), GlassPalette::accent(palette).rgb());
    EXPECT_EQ(selected->symbolColor().rgb(), GlassPalette::accentSymbol(palette).rgb());
    EXPECT_EQ(selected->titleFont().weight(), QFont::DemiBold);

    ASSERT_TRUE(
        waitUntil([&] { return entry(AppSection::Importer)->outlineColor().alpha() == 0; }, 2000));
    for (AppSection other :
         {AppSection::Importer, AppSection::Lists, AppSection::Settings, AppSection::About}) {
        EXPECT_EQ(entry(other)->fillColor().alpha(), 0) << entry(other)->text().toStdString();
        EXPECT_EQ(entry(other)->outlineColor().alpha(), 0);
        EXPECT_NE(entry(other)->symbolColor().rgb(), GlassPalette::accentSymbol(palette).rgb());
        EXPECT_EQ(entry(other)->titleFont().weight(), QFont::Normal);
    }
}

TEST_F(ShellTest, OnlyTheEntryUnderThePointerIsHighlighted)
{
    Sidebar *sidebar = window->rootView()->sidebar();
    pointerEnters(entry(AppSection::Lists));
    EXPECT_EQ(sidebar->hovered(), AppSection::Lists);
    EXPECT_TRUE(entry(AppSection::Lists)->isHighlighted());
    EXPECT_GT(entry(AppSection::Lists)->fillColor().alpha(), 0);

    // Straight onto the next entry, with the old entry's leave arriving late.
    pointerEnters(entry(AppSection::History));
    pointerLeaves(entry(AppSection::Lists));
    EXPECT_EQ(sidebar->hovered(), AppSection::History);
    EXPECT_TRUE(entry(AppSection::History)->isHighlighted());
    EXPECT_FALSE(entry(AppSection::Lists)->isHighlighted());

    pointerLeaves(entry(AppSection::History));
    EXPECT_EQ(sidebar->hovered(), std::nullopt);
    EXPECT_FALSE(entry(AppSection::History)->isHighlighted());
}

TEST_F(ShellTest, TheMenuHangsFromTheSidebarAndTheKeyboardWalksTheSections)
{
    // No band of its own: the content starts under the title bar, the menu sits in the brand row.
    EXPECT_EQ(window->findChild<QMenuBar *>(), nullptr);
    auto *menuButton = named<QPushButton>(window, "appMenuButton");
    ASSERT_NE(menuButton, nullptr);
    EXPECT_TRUE(menuButton->isVisible());
    EXPECT_TRUE(window->rootView()->sidebar()->isAncestorOf(menuButton));
    QStringList items;
    auto *menu = named<QMenu>(window, "appMenu");
    ASSERT_NE(menu, nullptr);
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            items.append(action->text());
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("设置…"), QStringLiteral("退出 Slatebook")}));
    QTest::keyClick(menuButton, Qt::Key_Space);
    ASSERT_TRUE(waitUntil([&] { return menu->isVisible(); }, 2000));
    menu->close();

    // Tab goes from the menu button to the chosen section; Up and Down switch sections.
    menuButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(menuButton, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), entry(AppSection::Importer));
    QTest::keyClick(entry(AppSection::Importer), Qt::Key_Down);
    EXPECT_EQ(window->rootView()->section(), AppSection::Lists);
    EXPECT_TRUE(entry(AppSection::Lists)->hasFocus());
    QTest::keyClick(entry(AppSection::Lists), Qt::Key_Down);
    QTest::keyClick(entry(AppSection::History), Qt::Key_Up);
    EXPECT_EQ(window->rootView()->section(), AppSection::Lists);
    // The sections are one stop: the next Tab is in the screen.
    QTest::keyClick(entry(AppSection::Lists), Qt::Key_Tab);
    EXPECT_TRUE(window->rootView()->currentScreen()->isAncestorOf(QApplication::focusWidget()))
        << QApplication::focusWidget()->metaObject()->className() << " "
        << QApplication::focusWidget()->objectName().toStdString();

    // Ctrl+number chooses a section wherever the focus is.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_4, Qt::ControlModifier);
    EXPECT_EQ(window->rootView()->section(), AppSection::Settings);
}

// Ctrl+, opens the settings window (a second press brings the same one forward); Ctrl+Q quits
// from either window.
TEST_F(ShellTest, CtrlCommaOpensTheSettingsWindowAndCtrlQQuitsFromEither)
{
    EXPECT_EQ(window->settingsWindow(), nullptr);
    QTest::keyClick(window.get(), Qt::Key_Comma, Qt::ControlModifier);
    SettingsWindow *settings = window->settingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible() && settings->isWindow());
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(window->settingsWindow(), settings);

    auto *quit = window->findChild<QAction *>(QStringLiteral("quitAction"));
    ASSERT_NE(quit, nullptr);
    EXPECT_TRUE(quit->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)));
    // Not running its event loop, the application ignores the quit itself.
    QSignalSpy quits(quit, &QAction::triggered);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits.count(), 1);

    settings->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings));
    QTest::keyClick(settings, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits.count(), 2);
}

} // namespace
