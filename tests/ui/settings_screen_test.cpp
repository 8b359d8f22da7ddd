#include "ImportScreenDriver.h"
#include "Named.h"
#include "ScreenHarness.h"

#include "ui/MainWindow.h"
#include "ui/SettingsWindow.h"
#include "ui/about/AboutTexts.h"
#include "ui/about/AboutView.h"
#include "ui/settings/SettingsChoices.h"
#include "ui/settings/SettingsView.h"
#include "ui/shell/RootView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList itemsOf(QComboBox *picker)
{
    QStringList items;
    for (int i = 0; i < picker->count(); ++i)
        items.append(picker->itemText(i));
    return items;
}

// Picks the item with that text as a user does (the picker reports `activated`).
void pick(QComboBox *picker, const QString &text)
{
    const int index = picker->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    picker->setCurrentIndex(index);
    emit picker->activated(index);
}

TEST(SettingsChoicesTest, TheStoredMinuteJoinsTheChoicesInItsPlace)
{
    EXPECT_EQ(SettingsChoices::minutes(30), (QList<int>{0, 5, 10, 15, 20, 30, 45, 50, 55}));
    EXPECT_EQ(SettingsChoices::minutes(59), (QList<int>{0, 5, 10, 15, 20, 30, 45, 50, 55, 59}));
    EXPECT_EQ(SettingsChoices::minutes(37), (QList<int>{0, 5, 10, 15, 20, 30, 37, 45, 50, 55}));
    EXPECT_EQ(SettingsChoices::hours(23).size(), 24);
    EXPECT_EQ(SettingsChoices::hours(25).last(), 25);
}

TEST(SettingsChoicesTest, AStoredLeadOutsideTheFiveJoinsThemInItsPlace)
{
    const auto labels = [](double stored) {
        QStringList texts;
        for (const SettingsChoices::Lead &lead : SettingsChoices::leads(stored))
            texts.append(lead.label);
        return texts;
    };
    EXPECT_EQ(labels(3600),
              (QStringList{"到期时", "提前 30 分钟", "提前 1 小时", "提前 3 小时", "提前 1 天"}));
    EXPECT_EQ(labels(600),
              (QStringList{"到期时", "提前 10 分钟", "提前 30 分钟", "提前 1 小时", "提前 3 小时",
                           "提前 1 天"}));
    EXPECT_EQ(labels(172800).last(), QStringLiteral("提前 2 天"));
    EXPECT_EQ(labels(7200).at(3), QStringLiteral("提前 2 小时"));
    EXPECT_EQ(labels(90).at(1), QStringLiteral("提前 90 秒"));
    EXPECT_EQ(labels(-300).first(), QStringLiteral("延后 5 分钟"));
}

class SettingsScreenTest : public ::testing::Test {
protected:
    void open()
    {
        view = std::make_unique<SettingsView>(harness.shared());
        view->resize(700, 800);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // Waits until the count line shows `count` pending due notifications.
    bool showsPending(int count)
    {
        const QString line =
            QStringLiteral("已安排 %1 条到期提醒（统计的是本 App 排在系统通知里的条数）")
                .arg(count);
        return waitUntil([&] { return named<QLabel>(view, "pendingCountLabel")->text() == line; },
                         10000);
    }

    ScreenHarness harness;
    std::unique_ptr<SettingsView> view;
};

TEST_F(SettingsScreenTest, TheMinutePickerShowsTheStoredMinuteAndPickingReplacesIt)
{
    open();
    EXPECT_EQ(named<QComboBox>(view, "hourPicker")->currentText(), QStringLiteral("23"));
    EXPECT_EQ(named<QComboBox>(view, "minutePicker")->currentText(), QStringLiteral("59"));

    // The stored 59 was one of the choices only while it was stored.
    pick(named<QComboBox>(view, "minutePicker"), QStringLiteral("30"));
    EXPECT_EQ(harness.settings.dueMinute(), 30);
    EXPECT_EQ(itemsOf(named<QComboBox>(view, "minutePicker")),
              (QStringList{"00", "05", "10", "15", "20", "30", "45", "50", "55"}));
    EXPECT_EQ(named<QComboBox>(view, "minutePicker")->currentText(), QStringLiteral("30"));
    pick(named<QComboBox>(view, "hourPicker"), QStringLiteral("07"));
    EXPECT_EQ(harness.settings.dueHour(), 7);

    // The pickers stay usable with the default due time off.
    QTest::mouseClick(named<QCheckBox>(view, "dueOnBox"), Qt::LeftButton);
    EXPECT_FALSE(harness.settings.dueEnabled());
    EXPECT_TRUE(named<QComboBox>(view, "minutePicker")->isEnabled());
}

TEST_F(SettingsScreenTest, NotificationOptionsRebuildThePendingSet)
{
    const QDate later = QDate::currentDate().addDays(2);
    harness.store.add({QStringLiteral("语文｜背诵"), QStringLiteral("数学｜P12")},
                      QStringLiteral("3.15作业"), QDateTime(later, QTime(20, 0)));
    harness.store.add({QStringLiteral("英语｜听写")}, QStringLiteral("3.15作业"),
                      QDateTime(QDate(2001, 1, 1), QTime(8, 0)));
    harness.store.add({QStringLiteral("美术｜画画")}, QStringLiteral("周末"));
    open();
    EXPECT_TRUE(named<QCheckBox>(view, "notifyOnBox")->isChecked());
    EXPECT_EQ(named<QComboBox>(view, "leadPicker")->currentText(), QStringLiteral("到期时"));
    ASSERT_TRUE(showsPending(0));
    EXPECT_TRUE(
        named<QLabel>(view, "permissionLabel")->text().startsWith(QStringLiteral("通知权限：")));

    // Off and on again: every open entry still ahead is scheduled, then counted.
    QTest::mouseClick(named<QCheckBox>(view, "notifyOnBox"), Qt::LeftButton);
    EXPECT_FALSE(harness.notify.enabled());
    QTest::mouseClick(named<QCheckBox>(view, "notifyOnBox"), Qt::LeftButton);
    EXPECT_TRUE(harness.notify.enabled());
    ASSERT_TRUE(showsPending(2));
    EXPECT_EQ(view->pendingCount(), 2);

    // A lead of a day: the same two, each a day earlier.
    pick(named<QComboBox>(view, "leadPicker"), QStringLiteral("提前 1 天"));
    EXPECT_EQ(harness.notify.leadSeconds(), 86400);
    QList<NotificationRequest> pending = harness.pendingNotifications();
    ASSERT_EQ(pending.size(), 2);

    QTest::mouseClick(named<QCheckBox>(view, "notifyOnBox"), Qt::LeftButton);
    ASSERT_TRUE(showsPending(0));
}

TEST_F(SettingsScreenTest, RestoringDefaultsLeavesTheNotificationOptionsAlone)
{
    open();
    ImportScreenDriver::type(named<QLineEdit>(view, "templateField"), QStringLiteral("{YYYY}"));
    named<QLineEdit>(view, "languagesField")->clear();
    ImportScreenDriver::type(named<QLineEdit>(view, "languagesField"), QStringLiteral("en-US"));
    named<QLineEdit>(view, "subjectsField")->clear();
    ImportScreenDriver::type(named<QLineEdit>(view, "subjectsField"),
                             QStringLiteral("语文,数学,书法"));
    EXPECT_EQ(harness.settings.subjects(), (QStringList{"语文", "数学", "书法"}));
    for (QCheckBox *box :
         {named<QCheckBox>(view, "dueOnBox"), named<QCheckBox>(view, "dedupeBox"),
          named<QCheckBox>(view, "openAfterBox"), named<QCheckBox>(view, "saveHistoryBox")})
        QTest::mouseClick(box, Qt::LeftButton);
    pick(named<QComboBox>(view, "hourPicker"), QStringLiteral("06"));
    pick(named<QComboBox>(view, "minutePicker"), QStringLiteral("15"));
    QTest::mouseClick(named<QCheckBox>(view, "notifyOnBox"), Qt::LeftButton);
    pick(named<QComboBox>(view, "leadPicker"), QStringLiteral("提前 1 小时"));
    ASSERT_FALSE(harness.settings.dedupe());
    ASSERT_TRUE(harness.settings.openAfterWrite());

    QTest::mouseClick(named<QPushButton>(view, "restoreDefaultsButton"), Qt::LeftButton);
    EXPECT_EQ(harness.settings.listNameTemplate(), QStringLiteral("{M}.{D}作业"));
    EXPECT_TRUE(harness.settings.dueEnabled());
    EXPECT_EQ(harness.settings.dueHour(), 23);
    EXPECT_EQ(harness.settings.dueMinute(), 59);
    EXPECT_TRUE(harness.settings.dedupe());
    EXPECT_TRUE(harness.settings.saveHistory());
    EXPECT_FALSE(harness.settings.openAfterWrite());
    EXPECT_EQ(harness.settings.ocrLangText(), QStringLiteral("zh-Hans,en-US"));
    EXPECT_EQ(harness.settings.subjectsText(),
              SettingsSchema::spec(Setting::SubjectsText).fallback.toString());
    EXPECT_FALSE(harness.notify.enabled());
    EXPECT_EQ(harness.notify.leadSeconds(), 3600);

    // The controls show the defaults at once.
    EXPECT_EQ(named<QLineEdit>(view, "templateField")->text(), QStringLiteral("{M}.{D}作业"));
    EXPECT_EQ(named<QLineEdit>(view, "languagesField")->text(), QStringLiteral("zh-Hans,en-US"));
    EXPECT_EQ(named<QLineEdit>(view, "subjectsField")->text(), harness.settings.subjectsText());
    EXPECT_EQ(named<QComboBox>(view, "minutePicker")->currentText(), QStringLiteral("59"));
    EXPECT_TRUE(named<QCheckBox>(view, "dedupeBox")->isChecked());
    EXPECT_FALSE(named<QCheckBox>(view, "openAfterBox")->isChecked());
    EXPECT_FALSE(named<QCheckBox>(view, "notifyOnBox")->isChecked());
}

TEST_F(SettingsScreenTest, TheSectionAndTheSettingsWindowStayInStep)
{
    MainWindow window(harness.shared());
    window.show();
    window.rootView()->setSection(AppSection::Settings);
    auto *section = qobject_cast<SettingsView *>(window.rootView()->currentScreen());
    ASSERT_NE(section, nullptr);
    window.showSettingsWindow();
    SettingsView *separate = named<SettingsView>(window.settingsWindow(), "settingsView");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.settingsWindow()));

    named<QLineEdit>(section, "templateField")->setFocus();
    ImportScreenDriver::type(named<QLineEdit>(section, "templateField"), QStringLiteral("周"));
    EXPECT_EQ(named<QLineEdit>(separate, "templateField")->text(), QStringLiteral("{M}.{D}作业周"));
    QTest::mouseClick(named<QCheckBox>(separate, "dedupeBox"), Qt::LeftButton);
    EXPECT_FALSE(named<QCheckBox>(section, "dedupeBox")->isChecked());
    pick(named<QComboBox>(separate, "minutePicker"), QStringLiteral("45"));
    EXPECT_EQ(named<QComboBox>(section, "minutePicker")->currentText(), QStringLiteral("45"));
    QTest::mouseClick(named<QCheckBox>(section, "notifyOnBox"), Qt::LeftButton);
    EXPECT_FALSE(named<QCheckBox>(separate, "notifyOnBox")->isChecked());
    pick(named<QComboBox>(section, "leadPicker"), QStringLiteral("提前 3 小时"));
    EXPECT_EQ(named<QComboBox>(separate, "leadPicker")->currentText(),
              QStringLiteral("提前 3 小时"));
    QTest::mouseClick(named<QPushButton>(separate, "restoreDefaultsButton"), Qt::LeftButton);
    EXPECT_EQ(named<QLineEdit>(section, "templateField")->text(), QStringLiteral("{M}.{D}作业"));
    EXPECT_TRUE(named<QCheckBox>(section, "dedupeBox")->isChecked());
}

TEST(AboutViewTest, NamesTheRealRecognitionAndTheRemindersFolder)
{
    ScreenHarness harness;
    const QString before = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QString());
    AboutView about(harness.shared());
    QCoreApplication::setApplicationVersion(before);
    EXPECT_EQ(named<QLabel>(&about, "versionLabel")->text(), QStringLiteral("版本 —"));

    EXPECT_TRUE(AboutTexts::features().value(0).text.contains(QStringLiteral("PP-OCR")));

    QStringList buttons;
    for (QPushButton *button : about.findChildren<QPushButton *>())
        buttons.append(button->text());
    EXPECT_TRUE(buttons.contains(QStringLiteral("打开数据目录")));
    EXPECT_TRUE(buttons.contains(QStringLiteral("打开提醒事项目录")));
    EXPECT_FALSE(buttons.contains(QStringLiteral("打开提醒事项设置")));

    // The hint names what is true here: the folder to check, not another system's settings page.
    const QString hint = named<QLabel>(&about, "permissionHint")->text();
    EXPECT_FALSE(hint.contains(QStringLiteral("系统设置"))) << hint.toStdString();
    EXPECT_FALSE(hint.contains(QStringLiteral("隐私与安全性")));
    EXPECT_EQ(AboutTexts::remindersHint(QDir::homePath() +
                                        QStringLiteral("/.local/share/Slatebook/Reminders")),
              QStringLiteral(
                  "如果写入提醒事项失败：请确认提醒事项目录\n~/.local/share/Slatebook/Reminders\n"
                  "存在、当前用户可以写入，并且磁盘没有写满。"));
    EXPECT_TRUE(
        AboutTexts::remindersHint(std::nullopt).contains(QStringLiteral("evolution-data-server")));
}

TEST_F(SettingsScreenTest, TheReminderStoreIsChosenHereAndAboutNamesIt)
{
    // D-Bus can start EDS on the test's bus: the desktop's task lists are offered whether or not
    // anything runs them yet.
    open();
    auto *picker = view->findChild<QComboBox *>(QStringLiteral("reminderStorePicker"));
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(waitUntil([&] { return picker->count() == 2; }, 10000));
    EXPECT_EQ(itemsOf(picker), (QStringList{"本机文件夹", "桌面任务 (Evolution)"}));
    EXPECT_EQ(picker->currentText(), QStringLiteral("本机文件夹"));

    // Not picked here: the service D-Bus would start for it works in the real home.
    harness.settings.setReminderStore(AppSettings::ReminderStore::Evolution);
    EXPECT_EQ(picker->currentText(), QStringLiteral("桌面任务 (Evolution)"));
    pick(picker, QStringLiteral("本机文件夹"));
    EXPECT_EQ(harness.settings.reminderStore(), AppSettings::ReminderStore::Folder);
    EXPECT_EQ(AppSettings::storedReminderStore(), AppSettings::ReminderStore::Folder);
    EXPECT_EQ(harness.service.storeTitle(), QStringLiteral("本机文件夹"));

    AboutView about(harness.shared());
    auto *line = about.findChild<QLabel *>(QStringLiteral("reminderStoreLabel"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), QStringLiteral("提醒事项存储：本机文件夹"));
}

} // namespace
