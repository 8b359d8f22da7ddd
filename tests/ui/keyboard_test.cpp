#include "AlertAnswerer.h"
#include "Named.h"
#include "ScreenHarness.h"

#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/glass/DesktopAlert.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ImageFileDialog.h"
#include "ui/import/ImportView.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// What a user who keeps the hands on the keyboard meets in the window.

namespace {

bool hasFocusIn(const QWidget *widget)
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    ScreenHarness harness;
    MainWindow window{harness.shared()};
};

} // namespace

// Return answers a warning with the button that backs out, any other alert with the first one.
TEST(AlertKeysTest, ReturnNeverConfirmsADestructiveAlert)
{
    struct Row {
        const char *name;
        AlertRequest::Style style;
        int answered;
    };
    const QList<Row> rows = {{"a warning backs out", AlertRequest::Style::Warning, 1},
                             {"a question confirms", AlertRequest::Style::Normal, 0}};
    for (const Row &row : rows) {
        AlertRequest request;
        request.message = QStringLiteral("删除清单「3.15作业」？");
        request.style = row.style;
        request.buttons = {QStringLiteral("删除"), QStringLiteral("取消")};
        onNextModal([](QWidget *alert) { QTest::keyClick(alert, Qt::Key_Return); });
        EXPECT_EQ(askInAlert(request).button, row.answered) << row.name;
    }
}

TEST_F(KeyboardTest, ShortcutsOpenAddAndCloseWhereTheUserExpects)
{
    ImportView *import = window.rootView()->importView();

    // Ctrl+O: the picture dialog.
    bool picked = false;
    onNextModal([&picked](QWidget *modal) {
        picked = qobject_cast<ImageFileDialog *>(modal) != nullptr;
        modal->close();
    });
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&picked] { return picked; }, 5000));

    // Ctrl+N: a new row, ready to type into.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    const QList<EntryRow *> rows = import->findChildren<EntryRow *>();
    ASSERT_EQ(rows.size(), 2);
    auto *text = named<QLineEdit>(rows.last(), "textField");
    EXPECT_TRUE(text->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(text->text(), QStringLiteral("abc"));

    // Ctrl+N on the lists screen: a new list, its entry field ready to type into.
    window.rootView()->setSection(AppSection::Lists);
    onNextModal([](QWidget *prompt) {
        auto *name = prompt->findChild<QLineEdit *>();
        name->setText(QStringLiteral("周末作业"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::keyClick(window.rootView()->currentScreen(), Qt::Key_N, Qt::ControlModifier);
    auto *addField = named<QLineEdit>(window.rootView(), "addField");
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    // The window manager hands activation back to the window once the prompt is gone.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(addField->hasFocus());
    EXPECT_TRUE(harness.store.list(QStringLiteral("周末作业")).has_value());

    // Escape closes the settings window.
    QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
    SettingsWindow *settings = window.settingsWindow();
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(settings));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : settings,
                    Qt::Key_Escape);
    EXPECT_FALSE(settings->isVisible());
}

// One Tab leaves a due-time field, forwards and backwards, on both screens that have one.
TEST_F(KeyboardTest, OneTabLeavesTheDueField)
{
    struct Row {
        const char *name;
        AppSection section;
        const char *field;
        const char *enabler;
    };
    const QList<Row> rows = {{"import header", AppSection::Importer, "dueEdit", "dueCheck"},
                             {"new entry bar", AppSection::Lists, "addDueEdit", "addDueCheck"}};
    for (const Row &row : rows) {
        window.rootView()->setSection(row.section);
        auto *field = named<QDateTimeEdit>(window.rootView(), row.field);
        ASSERT_NE(field, nullptr) << row.name;
        named<QCheckBox>(window.rootView(), row.enabler)->setChecked(true);
        for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
            field->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(hasFocusIn(field)) << row.name;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            EXPECT_FALSE(hasFocusIn(field)) << row.name << " with modifiers " << int(modifiers);
        }
    }
}
