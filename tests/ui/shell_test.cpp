#include "ScreenHarness.h"

#include "data/DefaultsStore.h"
#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/glass/GlassPalette.h"
#include "ui/import/ImportView.h"
#include "ui/shell/RootView.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarEntry.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

AppSection startSectionWith(const std::optional<QString> &stored)
{
    ScreenHarness harness;
    if (stored)
        DefaultsStore().setText(QStringLiteral("startSection"), *stored);
    MainWindow window(harness.shared());
    return window.rootView()->section();
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

    SidebarEntry *entry(AppSection section) const { return window->rootView()->sidebar()->entry(section); }

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

TEST_F(ShellTest, TheWindowIsTitledAndCannotShrinkBelow980By700)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Slatebook"));
    window->resize(600, 400);
    EXPECT_GE(window->width(), 980);
    EXPECT_GE(window->height(), 700);
    EXPECT_EQ(window->rootView()->sidebar()->width(), 218);
}

TEST_F(ShellTest, SectionsListInOrderAndTheSelectedOneStandsOut)
{
    QStringList titles;
    for (AppSection section : AppSections::all())
        titles.append(entry(section)->text());
    EXPECT_EQ(titles, (QStringList{QStringLiteral("导入作业"), QStringLiteral("我的清单"), QStringLiteral("历史记录"),
                                   QStringLiteral("设置"), QStringLiteral("关于")}));

    QTest::mouseClick(entry(AppSection::History), Qt::LeftButton);
    EXPECT_EQ(window->rootView()->section(), AppSection::History);
    EXPECT_EQ(window->rootView()->importView(), nullptr);

    const QPalette palette = window->palette();
    const QColor accent = GlassPalette::accent(palette);
    SidebarEntry *selected = entry(AppSection::History);
    // The look eases in over 0.15 s.
    ASSERT_TRUE(waitUntil([&] { return selected->outlineColor().alphaF() > 0.349; }, 2000));
    EXPECT_EQ(selected->fillColor().rgb(), accent.rgb());
    EXPECT_NEAR(selected->fillColor().alphaF(), 0.16, 0.01);
    EXPECT_EQ(selected->outlineColor().rgb(), accent.rgb());
    EXPECT_NEAR(selected->outlineColor().alphaF(), 0.35, 0.01);
    EXPECT_EQ(selected->symbolColor().rgb(), accent.rgb());
    EXPECT_EQ(selected->titleFont().weight(), QFont::DemiBold);

    ASSERT_TRUE(waitUntil([&] { return entry(AppSection::Importer)->outlineColor().alpha() == 0; }, 2000));
    for (AppSection other : {AppSection::Importer, AppSection::Lists, AppSection::Settings, AppSection::About}) {
        EXPECT_EQ(entry(other)->fillColor().alpha(), 0) << entry(other)->text().toStdString();
        EXPECT_EQ(entry(other)->outlineColor().alpha(), 0);
        EXPECT_NE(entry(other)->symbolColor().rgb(), accent.rgb());
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

TEST_F(ShellTest, CtrlCommaOpensTheSettingsWindow)
{
    EXPECT_EQ(window->settingsWindow(), nullptr);
    QTest::keyClick(window.get(), Qt::Key_Comma, Qt::ControlModifier);
    SettingsWindow *settings = window->settingsWindow();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(settings->width(), 560);
    EXPECT_TRUE(settings->isWindow());
    // A second press brings the same window forward.
    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(window->settingsWindow(), settings);
}

} // namespace
