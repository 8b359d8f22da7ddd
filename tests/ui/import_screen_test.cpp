#include "ImportScreenDriver.h"
#include "ScreenHarness.h"

#include "core/Parser.h"
#include "data/DataFolder.h"
#include "ui/MainWindow.h"
#include "ui/glass/BusySpinner.h"
#include "ui/glass/GlassButton.h"
#include "ui/glass/SymbolButton.h"
#include "ui/import/DropZone.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ImportFooter.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportTexts.h"
#include "ui/import/RawTextSection.h"
#include "ui/import/ResultPane.h"
#include "ui/shell/RootView.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace {

class ImportScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(harness.shared());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    ImportScreenDriver screen() const { return ImportScreenDriver(window->rootView()->importView()); }

    QStringList titlesIn(const QString &listName) const
    {
        QStringList titles;
        if (const auto list = harness.store.list(listName)) {
            for (const TaskItem &task : list->tasks)
                titles.append(task.title);
        }
        return titles;
    }

    QStringList notifiedTaskIds()
    {
        QStringList ids;
        for (const NotificationRequest &request : harness.pendingNotifications())
            ids.append(request.identifier);
        return ids;
    }

    static QDateTime tomorrowEvening()
    {
        return QDateTime(QDate::currentDate().addDays(1), QTime(20, 0));
    }

    ScreenHarness harness;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ImportScreenTest, ANewScreenIsEmptyWithTheSettingsDefaults)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    EXPECT_EQ(s.statusShown(), QStringLiteral("拖入或选择一张作业图片（JPG / PNG / HEIC）"));
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_TRUE(view->resultPane()->emptyState()->isVisible());
    EXPECT_FALSE(view->hasImage());
    EXPECT_EQ(view->header()->listName(), harness.settings.defaultListName(QDateTime::currentDateTime()));
    EXPECT_TRUE(view->header()->dueCheck()->isChecked());
    EXPECT_EQ(view->header()->due(), *harness.settings.defaultDue());
    EXPECT_TRUE(view->header()->savesToApp());

    EXPECT_EQ(s.countText(), QStringLiteral("0/0 条待写入"));
    EXPECT_FALSE(s.button("selectAllButton")->isEnabled());
    EXPECT_FALSE(s.button("selectNoneButton")->isEnabled());
    EXPECT_FALSE(view->footer()->writeButton()->isEnabled());
    EXPECT_FALSE(s.button("reparseButton")->isEnabled());
    EXPECT_FALSE(view->rawTextSection()->isVisible());
    EXPECT_FALSE(s.button("clearButton")->isVisible());
    EXPECT_EQ(view->footer()->writeButton()->text(), QStringLiteral("存到本 App"));

    // Other settings give other defaults: no due time leaves the picker disabled.
    harness.settings.setDueEnabled(false);
    harness.settings.setListNameTemplate(QStringLiteral("{YYYY}年{M}月{D}日"));
    window->rootView()->setSection(AppSection::Lists);
    window->rootView()->setSection(AppSection::Importer);
    ImportView *fresh = window->rootView()->importView();
    EXPECT_FALSE(fresh->header()->dueCheck()->isChecked());
    EXPECT_FALSE(fresh->header()->dueEdit()->isEnabled());
    const QDate today = QDate::currentDate();
    EXPECT_EQ(fresh->header()->listName(),
              QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()));
}

TEST_F(ImportScreenTest, APhotoGoesFromDropToBothTargets)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    const QString photo = corpusImage(QStringLiteral("03-print-photo.jpg"));
    s.drop(photo);
    // Recognising: progress shown, the write button off, the file named.
    EXPECT_TRUE(view->isBusy());
    EXPECT_TRUE(view->footer()->spinner()->isVisible());
    EXPECT_FALSE(view->footer()->writeButton()->isEnabled());
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 03-print-photo.jpg …"));
    ASSERT_TRUE(s.waitIdle());

    ASSERT_GE(view->items().size(), 5);
    const qsizetype total = view->items().size();
    EXPECT_EQ(s.statusShown(), ImportTexts::recognised(view->rawLines().size(), total));
    EXPECT_EQ(s.statusShown(), QStringLiteral("识别到 %1 行文字，解析出 %2 条作业").arg(view->rawLines().size()).arg(total));
    EXPECT_FALSE(view->footer()->spinner()->isVisible());
    EXPECT_TRUE(view->hasImage());
    EXPECT_EQ(view->imagePath(), QFileInfo(photo).absoluteFilePath());
    EXPECT_TRUE(s.button("clearButton")->isVisible());
    EXPECT_TRUE(view->rawTextSection()->isVisible());
    EXPECT_EQ(view->rawTextSection()->title(), QStringLiteral("识别原文（%1 行）").arg(view->rawLines().size()));
    EXPECT_EQ(view->rawTextSection()->text(), view->rawLines().join(QLatin1Char('\n')));
    EXPECT_TRUE(view->rawLines().join(QString()).contains(QStringLiteral("背影")));
    // The dated heading names the list.
    const std::optional<QString> title = Parser::parse(view->rawLines(), harness.settings.subjects()).title;
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(view->header()->listName(), *title);
    const QString listName = *title;

    // Edit the first row, untick the second and third.
    QLineEdit *firstText = s.row(0)->textField();
    firstText->selectAll();
    QTest::keyClick(firstText, Qt::Key_Delete);
    ImportScreenDriver::type(firstText, QStringLiteral("读《背影》三遍"));
    EXPECT_EQ(view->items().first().text, QStringLiteral("读《背影》三遍"));
    s.untick(1);
    s.untick(2);
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%2 条待写入").arg(total - 2).arg(total));
    QStringList ticked;
    for (const SlateItem &item : view->items()) {
        if (item.enabled)
            ticked.append(item.title());
    }
    ASSERT_EQ(ticked.size(), total - 2);

    // To the app's own lists, due tomorrow evening.
    s.setDue(tomorrowEvening());
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已存到 App 清单「%1」共 %2 条，到期会通知你").arg(listName).arg(ticked.size()));
    QStringList stored = titlesIn(listName);
    stored.sort();
    QStringList expected = ticked;
    expected.sort();
    EXPECT_EQ(stored, expected);
    ASSERT_EQ(harness.history.records().size(), 1);
    const HistoryRecord &saved = harness.history.records().first();
    EXPECT_EQ(saved.listName, listName);
    EXPECT_EQ(saved.items, ticked);
    EXPECT_EQ(saved.written, ticked.size());
    EXPECT_EQ(saved.skipped, 0);
    EXPECT_EQ(saved.imagePath, QFileInfo(photo).absoluteFilePath());
    EXPECT_FALSE(saved.failed.has_value());
    const QList<TaskItem> savedTasks = harness.store.list(listName)->tasks;
    for (const TaskItem &task : savedTasks) {
        EXPECT_EQ(task.source, QStringLiteral("03-print-photo.jpg"));
        EXPECT_EQ(task.due, tomorrowEvening());
    }
    QStringList notified = notifiedTaskIds();
    EXPECT_EQ(notified.size(), ticked.size());
    for (const TaskItem &task : savedTasks)
        EXPECT_TRUE(notified.contains(QStringLiteral("slate-task-") + task.id.toString(QUuid::WithoutBraces).toUpper()));
    // The rows stay for another write.
    EXPECT_EQ(view->items().size(), total);

    // Saving the same rows again skips every one.
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已存到 App 清单「%1」0 条（跳过 %2 条重复）").arg(listName).arg(ticked.size()));

    // The same rows to Reminders, with Ctrl+Return.
    s.chooseReminders();
    EXPECT_FALSE(view->header()->savesToApp());
    EXPECT_EQ(view->footer()->writeButton()->text(), QStringLiteral("写入提醒事项"));
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在写入提醒事项…"));
    EXPECT_TRUE(view->isBusy());
    EXPECT_FALSE(view->footer()->writeButton()->isEnabled());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已写入 %1 条到清单「%2」").arg(ticked.size()).arg(listName));
    EXPECT_EQ(harness.reminderFiles(listName).size(), ticked.size());
    ASSERT_EQ(harness.history.records().size(), 3);
    EXPECT_EQ(harness.history.records().first().items, ticked);
    EXPECT_EQ(harness.history.records().first().written, ticked.size());

    s.click("writeButton");
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已写入 0 条到「%1」（跳过 %2 条已存在）").arg(listName).arg(ticked.size()));

    // Re-parsing replaces edits and unticks.
    QTest::mouseClick(s.button("reparseButton"), Qt::LeftButton);
    EXPECT_EQ(s.statusShown(), QStringLiteral("已重新解析：%1 条").arg(total));
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%1 条待写入").arg(total));
    EXPECT_NE(view->items().first().text, QStringLiteral("读《背影》三遍"));

    // Select none, all, add a row, delete a row.
    s.click("selectNoneButton");
    EXPECT_EQ(s.countText(), QStringLiteral("0/%1 条待写入").arg(total));
    EXPECT_FALSE(s.row(0)->tickBox()->isChecked());
    s.click("selectAllButton");
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%1 条待写入").arg(total));
    s.addRow(QStringLiteral("美术"), QStringLiteral("画一幅春天"));
    EXPECT_EQ(view->items().last().title(), QStringLiteral("美术｜画一幅春天"));
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%1 条待写入").arg(total + 1));
    const QUuid removed = view->items().first().id;
    QTest::mouseClick(s.row(0)->trashButton(), Qt::LeftButton);
    EXPECT_EQ(view->items().size(), total);
    EXPECT_NE(view->items().first().id, removed);

    // "清空" empties the screen and keeps the header.
    s.click("clearButton");
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_FALSE(view->hasImage());
    EXPECT_FALSE(view->imagePath().has_value());
    EXPECT_FALSE(view->rawTextSection()->isVisible());
    EXPECT_FALSE(s.button("clearButton")->isVisible());
    EXPECT_EQ(s.statusShown(), ImportTexts::initialStatus());
    EXPECT_EQ(view->header()->listName(), listName);
    EXPECT_FALSE(view->header()->savesToApp());
}

TEST_F(ImportScreenTest, ARowWithTrailingSpacesIsSavedTrimmedAndStillNotified)
{
    const ImportScreenDriver s = screen();
    s.typeListName(QStringLiteral("语文作业"));
    s.setDue(tomorrowEvening());
    s.addRow(QStringLiteral("语文"), QStringLiteral("背课文   "));
    s.addRow(QString(), QStringLiteral("  带尺子"));
    s.click("writeButton");

    EXPECT_EQ(titlesIn(QStringLiteral("语文作业")), (QStringList{QStringLiteral("带尺子"), QStringLiteral("语文｜背课文")}));
    EXPECT_EQ(notifiedTaskIds().size(), 2);
    // The history keeps the titles as they were handed over.
    EXPECT_EQ(harness.history.records().first().items,
              (QStringList{QStringLiteral("语文｜背课文   "), QStringLiteral("  带尺子")}));
}

TEST_F(ImportScreenTest, SavesReportTrimmedNamesSkipsAndUntickedRows)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    harness.store.add({QStringLiteral("数学｜练习册P12")}, QStringLiteral("数学作业"));

    s.typeListName(QStringLiteral("  数学作业\t "));
    s.addRow(QStringLiteral("数学"), QStringLiteral("练习册P12"));
    s.addRow(QStringLiteral("数学"), QStringLiteral("口算本第8页"));
    s.addRow(QStringLiteral("数学"), QStringLiteral("订正试卷"));
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已存到 App 清单「数学作业」2 条（跳过 1 条重复）"));
    EXPECT_EQ(titlesIn(QStringLiteral("数学作业")).size(), 3);
    EXPECT_EQ(harness.history.records().first().listName, QStringLiteral("数学作业"));
    EXPECT_EQ(harness.history.records().first().written, 2);
    EXPECT_EQ(harness.history.records().first().skipped, 1);
    EXPECT_FALSE(harness.history.records().first().imagePath.has_value());
    const QList<TaskItem> mathTasks = harness.store.list(QStringLiteral("数学作业"))->tasks;
    for (const TaskItem &task : mathTasks)
        EXPECT_FALSE(task.source.has_value());

    // Every row unticked still saves: nothing added, and a history record without entries.
    s.typeListName(QStringLiteral("5.12作业"));
    s.click("selectNoneButton");
    EXPECT_EQ(s.countText(), QStringLiteral("0/3 条待写入"));
    EXPECT_TRUE(view->footer()->writeButton()->isEnabled());
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("✅ 已存到 App 清单「5.12作业」共 0 条，到期会通知你"));
    ASSERT_EQ(harness.history.records().size(), 2);
    EXPECT_TRUE(harness.history.records().first().items.isEmpty());
    EXPECT_TRUE(harness.store.list(QStringLiteral("5.12作业")).has_value());

    // With history off nothing is recorded.
    harness.settings.setSaveHistory(false);
    s.click("selectAllButton");
    s.click("writeButton");
    EXPECT_EQ(harness.history.records().size(), 2);
}

TEST_F(ImportScreenTest, AFailedRemindersWriteChangesNothing)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    // A file where the Reminders folder belongs: the store cannot be reached.
    const QString root = harness.home.path() + QStringLiteral("/.local/share/Slatebook/Reminders");
    QFile blocker(root);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    s.addRow(QStringLiteral("英语"), QStringLiteral("默写Unit 2单词"));
    s.addRow(QStringLiteral("英语"), QStringLiteral("听写 Module 4"));
    s.untick(1);
    const QList<SlateItem> before = view->items();
    s.chooseReminders();
    s.click("writeButton");
    ASSERT_TRUE(s.waitIdle());
    EXPECT_TRUE(s.statusShown().startsWith(QStringLiteral("❌ 未获得提醒事项访问权限：无法创建或写入提醒事项文件夹 ") + root))
        << s.statusShown().toStdString();
    EXPECT_EQ(view->items(), before);
    EXPECT_TRUE(harness.history.records().isEmpty());
    EXPECT_TRUE(view->footer()->writeButton()->isEnabled());
    EXPECT_FALSE(view->footer()->spinner()->isVisible());
}

TEST_F(ImportScreenTest, AFileThatIsNoImageGivesNoText)
{
    const QString notAnImage = harness.home.path() + QStringLiteral("/notes.jpg");
    QFile file(notAnImage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("语文：背课文\n");
    file.close();

    // Handed over at start, as "Open with" does, while another section is shown.
    window->rootView()->setSection(AppSection::History);
    window->openImage(notAnImage);
    const ImportScreenDriver s = screen();
    ASSERT_NE(s.view(), nullptr);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 notes.jpg …"));
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("没识别到文字，换张更清晰/更正的图片试试"));
    EXPECT_FALSE(s.view()->hasImage());
    EXPECT_TRUE(s.view()->items().isEmpty());
    EXPECT_FALSE(s.view()->rawTextSection()->isVisible());
    EXPECT_FALSE(s.button("reparseButton")->isEnabled());
}

TEST_F(ImportScreenTest, ANewerImageWinsOverASlowerOlderOne)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    const QString notAnImage = harness.home.path() + QStringLiteral("/empty.png");
    QFile(notAnImage).open(QIODevice::WriteOnly);

    // The photo takes seconds; the empty file answers at once and is the newer input.
    view->load(corpusImage(QStringLiteral("03-print-photo.jpg")));
    view->load(notAnImage);
    ASSERT_TRUE(waitUntil([&] { return s.statusShown() == ImportTexts::noText(); }));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(s.statusShown(), ImportTexts::noText());
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_EQ(view->imagePath(), QFileInfo(notAnImage).absoluteFilePath());
    EXPECT_FALSE(view->isBusy());

    // "清空" while a photo is recognised: the screen stays empty.
    view->load(corpusImage(QStringLiteral("03-print-photo.jpg")));
    EXPECT_TRUE(view->isBusy());
    s.click("clearButton");
    EXPECT_FALSE(view->isBusy());
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_EQ(s.statusShown(), ImportTexts::initialStatus());
}

TEST_F(ImportScreenTest, PastingAnImageFromTheClipboard)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    s.click("pasteButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("剪贴板里没有图片"));
    EXPECT_FALSE(view->isBusy());

    QImage blank(640, 480, QImage::Format_RGB32);
    blank.fill(Qt::white);
    clipboard->setImage(blank);

    // Inside a text field Ctrl+V pastes text, not the image.
    QLineEdit *listName = view->header()->listNameField();
    listName->setFocus();
    QTest::keyClick(listName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("剪贴板里没有图片"));

    // Anywhere else it recognises the image.
    s.button("pasteButton")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 剪贴板图片 …"));
    EXPECT_TRUE(view->footer()->spinner()->isVisible());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("来自剪贴板：解析出 0 条"));
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_FALSE(view->rawTextSection()->isVisible());
    EXPECT_TRUE(view->hasImage());
    EXPECT_FALSE(view->imagePath().has_value());
    EXPECT_TRUE(s.button("clearButton")->isVisible());
}

TEST_F(ImportScreenTest, LeavingTheSectionAndComingBackGivesAnEmptyScreen)
{
    ImportScreenDriver s = screen();
    s.addRow(QStringLiteral("语文"), QStringLiteral("背课文"));
    s.typeListName(QStringLiteral("临时"));
    Sidebar *sidebar = window->rootView()->sidebar();
    QTest::mouseClick(sidebar->entry(AppSection::Lists), Qt::LeftButton);
    EXPECT_EQ(window->rootView()->importView(), nullptr);
    QTest::mouseClick(sidebar->entry(AppSection::Importer), Qt::LeftButton);

    s = screen();
    ASSERT_NE(s.view(), nullptr);
    EXPECT_TRUE(s.view()->items().isEmpty());
    EXPECT_EQ(s.countText(), QStringLiteral("0/0 条待写入"));
    EXPECT_EQ(s.statusShown(), ImportTexts::initialStatus());
    EXPECT_EQ(s.view()->header()->listName(), harness.settings.defaultListName(QDateTime::currentDateTime()));
}

} // namespace
