#include "ImportScreenDriver.h"
#include "ScreenHarness.h"
#include "bridges/notifications/NotificationRequests.h"
#include "support/PrivateMounts.h"

#include "core/Parser.h"
#include "ui/MainWindow.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ImportHeader.h"
#include "ui/import/ImportTexts.h"
#include "ui/shell/RootView.h"
#include "ui/shell/Sidebar.h"
#include "ui/shell/SidebarEntry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
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

    ImportScreenDriver screen() const
    {
        return ImportScreenDriver(window->rootView()->importView());
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
    ImportScreenDriver s = screen();
    EXPECT_EQ(s.statusShown(), QStringLiteral("拖入或选择一张作业图片（JPG / PNG / HEIC）"));
    EXPECT_TRUE(s.find("emptyState")->isVisible());
    EXPECT_FALSE(s.showsPicture());
    EXPECT_EQ(s.view()->header()->listName(),
              harness.settings.defaultListName(QDateTime::currentDateTime()));
    EXPECT_EQ(s.view()->header()->due(), *harness.settings.defaultDue());
    EXPECT_EQ(s.countText(), QStringLiteral("0/0 条待写入"));
    EXPECT_FALSE(s.button("writeButton")->isEnabled());
    EXPECT_FALSE(s.button("reparseButton")->isEnabled());

    // Leaving the section drops what was typed; coming back takes the settings as they are now:
    // no due time leaves the picker disabled.
    s.addRow(QStringLiteral("语文"), QStringLiteral("背课文"));
    s.typeListName(QStringLiteral("临时"));
    harness.settings.setDueEnabled(false);
    harness.settings.setListNameTemplate(QStringLiteral("{YYYY}年{M}月{D}日"));
    Sidebar *sidebar = window->rootView()->sidebar();
    QTest::mouseClick(sidebar->entry(AppSection::Lists), Qt::LeftButton);
    EXPECT_EQ(window->rootView()->importView(), nullptr);
    QTest::mouseClick(sidebar->entry(AppSection::Importer), Qt::LeftButton);
    s = screen();
    ASSERT_NE(s.view(), nullptr);
    EXPECT_TRUE(s.view()->items().isEmpty());
    EXPECT_EQ(s.statusShown(), ImportTexts::initialStatus());
    EXPECT_FALSE(s.find<QCheckBox>("dueCheck")->isChecked());
    EXPECT_FALSE(s.find("dueEdit")->isEnabled());
    const QDate today = QDate::currentDate();
    EXPECT_EQ(s.view()->header()->listName(),
              QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()));
}

TEST_F(ImportScreenTest, APhotoGoesFromDropToBothTargets)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    const QString photo = corpusImage(QStringLiteral("03-print-photo.jpg"));
    s.drop({photo});
    // Recognising: progress shown, the write button off, the file named.
    EXPECT_TRUE(view->isBusy());
    EXPECT_TRUE(s.progressShown());
    EXPECT_FALSE(s.button("writeButton")->isEnabled());
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 03-print-photo.jpg …"));
    ASSERT_TRUE(s.waitIdle());

    ASSERT_GE(view->items().size(), 5);
    const qsizetype total = view->items().size();
    const QStringList lines = s.rawLines();
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("识别到 %1 行文字，解析出 %2 条作业").arg(lines.size()).arg(total));
    EXPECT_FALSE(s.progressShown());
    EXPECT_TRUE(s.showsPicture());
    EXPECT_FALSE(s.find("imagePageLabel")->isVisible()) << "one picture needs no paging";
    EXPECT_TRUE(s.rawTextShown());
    EXPECT_EQ(s.rawTextTitle(), QStringLiteral("识别原文（%1 行）").arg(lines.size()));
    EXPECT_TRUE(lines.join(QString()).contains(QStringLiteral("背影")));
    // The dated heading names the list.
    const std::optional<QString> title = Parser::parse(lines, harness.settings.subjects()).title;
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(view->header()->listName(), *title);
    const QString listName = *title;

    // Edit the first row, untick the second and third.
    QLineEdit *firstText = ImportScreenDriver::textField(s.row(0));
    firstText->selectAll();
    QTest::keyClick(firstText, Qt::Key_Delete);
    ImportScreenDriver::type(firstText, QStringLiteral("读《背影》三遍"));
    EXPECT_EQ(view->items().first().text, QStringLiteral("读《背影》三遍"));
    s.untick(1);
    s.untick(2);
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%2 条待写入").arg(total - 2).arg(total));
    const QStringList ticked = s.titles(true);
    ASSERT_EQ(ticked.size(), total - 2);

    // To the app's own lists, due tomorrow evening.
    s.setDue(tomorrowEvening());
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已存到 App 清单「%1」共 %2 条，到期会通知你")
                  .arg(listName)
                  .arg(ticked.size()));
    QStringList stored = harness.titlesIn(listName), expected = ticked;
    stored.sort();
    expected.sort();
    EXPECT_EQ(stored, expected);
    ASSERT_EQ(harness.history.records().size(), 1);
    const HistoryRecord &saved = harness.history.records().first();
    EXPECT_EQ(saved.items, ticked);
    EXPECT_EQ(saved.imagePath, QFileInfo(photo).absoluteFilePath());
    EXPECT_FALSE(saved.fromText);
    const QList<TaskItem> savedTasks = harness.store.list(listName)->tasks;
    const QStringList notified = notifiedTaskIds();
    EXPECT_EQ(notified.size(), ticked.size());
    for (const TaskItem &task : savedTasks) {
        EXPECT_EQ(task.source, QStringLiteral("03-print-photo.jpg"));
        EXPECT_EQ(task.due, tomorrowEvening());
        EXPECT_TRUE(notified.contains(NotificationRequests::dueIdentifier(task.id)));
    }
    // The rows stay for another write.
    EXPECT_EQ(view->items().size(), total);

    // Saving the same rows again skips every one.
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已存到 App 清单「%1」0 条（跳过 %2 条重复）")
                  .arg(listName)
                  .arg(ticked.size()));

    // The same rows to Reminders, with Ctrl+Return.
    s.chooseReminders();
    EXPECT_EQ(s.button("writeButton")->text(), QStringLiteral("写入提醒事项"));
    QTest::keyClick(window.get(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在写入提醒事项…"));
    EXPECT_TRUE(view->isBusy());
    EXPECT_FALSE(s.button("writeButton")->isEnabled());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已写入 %1 条到清单「%2」").arg(ticked.size()).arg(listName));
    EXPECT_EQ(harness.reminderFiles(listName).size(), ticked.size());
    ASSERT_EQ(harness.history.records().size(), 3);
    EXPECT_EQ(harness.history.records().first().written, ticked.size());

    s.click("writeButton");
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已写入 0 条到「%1」（跳过 %2 条已存在）")
                  .arg(listName)
                  .arg(ticked.size()));

    // Re-parsing replaces edits and unticks.
    QTest::mouseClick(s.button("reparseButton"), Qt::LeftButton);
    EXPECT_EQ(s.statusShown(), QStringLiteral("已重新解析：%1 条").arg(total));
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%1 条待写入").arg(total));
    EXPECT_NE(view->items().first().text, QStringLiteral("读《背影》三遍"));

    // Add a row, delete a row.
    s.addRow(QStringLiteral("美术"), QStringLiteral("画一幅春天"));
    EXPECT_EQ(view->items().last().title(), QStringLiteral("美术｜画一幅春天"));
    EXPECT_EQ(s.countText(), QStringLiteral("%1/%1 条待写入").arg(total + 1));
    const QUuid removed = view->items().first().id;
    QTest::mouseClick(s.row(0)->findChild<QPushButton *>(QStringLiteral("trashButton")),
                      Qt::LeftButton);
    EXPECT_EQ(view->items().size(), total);
    EXPECT_NE(view->items().first().id, removed);

    // "清空" empties the screen and keeps the header.
    s.click("clearButton");
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_FALSE(s.showsPicture());
    EXPECT_FALSE(s.rawTextShown());
    EXPECT_EQ(s.statusShown(), ImportTexts::initialStatus());
    EXPECT_EQ(view->header()->listName(), listName);
    EXPECT_FALSE(view->header()->savesToApp());
}

TEST_F(ImportScreenTest, SavesReportTrimmedNamesSkipsAndUntickedRows)
{
    const ImportScreenDriver s = screen();
    harness.store.add({QStringLiteral("数学｜练习册P12")}, QStringLiteral("数学作业"));

    s.typeListName(QStringLiteral("  数学作业\t "));
    s.setDue(tomorrowEvening());
    s.addRow(QStringLiteral("数学"), QStringLiteral("练习册P12"));
    s.addRow(QStringLiteral("数学"), QStringLiteral("口算本第8页   "));
    s.addRow(QString(), QStringLiteral("  订正试卷"));
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已存到 App 清单「数学作业」2 条（跳过 1 条重复）"));
    // Saved trimmed, and still notified; the history keeps the titles as they were handed over.
    QStringList titles = harness.titlesIn(QStringLiteral("数学作业"));
    titles.sort();
    EXPECT_EQ(titles, (QStringList{"数学｜口算本第8页", "数学｜练习册P12", "订正试卷"}));
    EXPECT_EQ(notifiedTaskIds().size(), 2);
    const HistoryRecord first = harness.history.records().first();
    EXPECT_EQ(first.listName, QStringLiteral("数学作业"));
    EXPECT_EQ(first.items, (QStringList{"数学｜练习册P12", "数学｜口算本第8页   ", "  订正试卷"}));
    EXPECT_EQ(first.written, 2);
    EXPECT_EQ(first.skipped, 1);
    EXPECT_FALSE(first.imagePath.has_value());
    const QList<TaskItem> mathTasks = harness.store.list(QStringLiteral("数学作业"))->tasks;
    for (const TaskItem &task : mathTasks)
        EXPECT_FALSE(task.source.has_value());

    // Every row unticked still saves: nothing added, and a history record without entries.
    s.typeListName(QStringLiteral("5.12作业"));
    s.click("selectNoneButton");
    EXPECT_EQ(s.countText(), QStringLiteral("0/3 条待写入"));
    EXPECT_FALSE(ImportScreenDriver::tickBox(s.row(0))->isChecked());
    s.click("writeButton");
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已存到 App 清单「5.12作业」共 0 条，到期会通知你"));
    ASSERT_EQ(harness.history.records().size(), 2);
    EXPECT_TRUE(harness.history.records().first().items.isEmpty());
    EXPECT_TRUE(harness.store.list(QStringLiteral("5.12作业")).has_value());

    // With history off nothing is recorded.
    harness.settings.setSaveHistory(false);
    s.click("selectAllButton");
    EXPECT_EQ(s.countText(), QStringLiteral("3/3 条待写入"));
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
    EXPECT_TRUE(s.statusShown().startsWith(
        QStringLiteral("❌ 未获得提醒事项访问权限：无法创建或写入提醒事项文件夹 ") + root))
        << s.statusShown().toStdString();
    EXPECT_EQ(view->items(), before);
    EXPECT_TRUE(harness.history.records().isEmpty());
    EXPECT_TRUE(s.button("writeButton")->isEnabled());
    EXPECT_FALSE(s.progressShown());
}

// The data folder on a full disk: whichever file a write could not save (the lists, or the
// history after the reminders went in), the failure stays on screen, also over the write's own
// result, until the user's next edit.
TEST_F(ImportScreenTest, AFailedSaveStaysOnScreenUntilTheNextEdit)
{
    RUN_WITH_PRIVATE_MOUNTS();
    const QString data = harness.home.dataFolder();
    if (!PrivateMounts::mountTmpfs(data, 256))
        GTEST_SKIP() << "mounting a tmpfs is refused here";
    // The Reminders folder lives on another disk, with room.
    ASSERT_TRUE(PrivateMounts::bind(harness.home.path() + QStringLiteral("/elsewhere"),
                                    data + QStringLiteral("/Reminders")));
    PrivateMounts::fill(data);

    const ImportScreenDriver s = screen();
    s.typeListName(QStringLiteral("3.16作业"));
    s.addRow(QStringLiteral("数学"), QStringLiteral("P12 1-5题"));
    s.addRow(QStringLiteral("语文"), QStringLiteral("背诵第3课"));
    const struct {
        const char *name;
        bool toReminders;
        QString unsaved;
    } cases[] = {
        {"into the app's lists", false, QStringLiteral("/tasks.json")},
        {"into Reminders, recorded in the history", true, QStringLiteral("/history.json")},
    };
    for (const auto &each : cases) {
        SCOPED_TRACE(each.name);
        if (each.toReminders)
            s.chooseReminders();
        s.click("writeButton");
        ASSERT_TRUE(s.waitIdle());
        EXPECT_TRUE(
            s.statusShown().startsWith(QStringLiteral("❌ 未能保存到 ") + data + each.unsaved))
            << s.statusShown().toStdString();
        EXPECT_TRUE(s.find("dismissFailureButton")->isVisible());
        EXPECT_EQ(s.view()->items().size(), 2);

        s.untick(1);
        EXPECT_EQ(s.statusShown(), QString());
        EXPECT_FALSE(s.find("dismissFailureButton")->isVisible());
        s.click("selectAllButton");
    }
    EXPECT_EQ(harness.reminderFiles(QStringLiteral("3.16作业")).size(), 2);
    EXPECT_TRUE(harness.history.records().size() == 1 && harness.history.saveError());
}

// Handed over at start, as "Open with" does, while another section is shown: a file that is no
// image gives no text; a newer input wins over a slower older one, and "清空" over both.
TEST_F(ImportScreenTest, ANewerImageWinsOverASlowerOlderOne)
{
    const QString notAnImage = harness.home.path() + QStringLiteral("/notes.jpg");
    QFile file(notAnImage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("语文：背课文\n");
    file.close();
    window->rootView()->setSection(AppSection::History);
    window->openImage(notAnImage);
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 notes.jpg …"));
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("没识别到文字，换张更清晰/更正的图片试试"));
    EXPECT_FALSE(s.showsPicture());
    EXPECT_FALSE(s.rawTextShown());
    EXPECT_FALSE(s.button("reparseButton")->isEnabled());

    // The photo takes seconds; the file that is no image answers at once and is the newer input.
    view->load(corpusImage(QStringLiteral("03-print-photo.jpg")));
    view->load(notAnImage);
    ASSERT_TRUE(waitUntil([&] { return s.statusShown() == ImportTexts::noText(); }));
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
    EXPECT_EQ(s.statusShown(), ImportTexts::noText());
    EXPECT_TRUE(view->items().isEmpty());
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

TEST_F(ImportScreenTest, PastedOrDroppedTextIsParsedWithoutRecognition)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    s.click("pasteButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("剪贴板里没有图片或文字"));
    EXPECT_FALSE(view->isBusy());

    // A chat message: its non-blank lines are the recognised lines, parsed at once.
    clipboard->setText(QStringLiteral(
        "3月15日作业\r\n\n  语文：背诵《春》第二段\n数学：练习册P12\u2028英语：默写Unit 2单词\n"));
    // Inside a text field Ctrl+V pastes into the field.
    auto *listName = s.find<QLineEdit>("listNameField");
    listName->setFocus();
    QTest::keyClick(listName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("剪贴板里没有图片或文字"));
    // Anywhere else it imports.
    s.button("pasteButton")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(view->isBusy()) << "text needs no recognition";
    EXPECT_EQ(
        s.rawLines(),
        (QStringList{QStringLiteral("3月15日作业"), QStringLiteral("语文：背诵《春》第二段"),
                     QStringLiteral("数学：练习册P12"), QStringLiteral("英语：默写Unit 2单词")}));
    const QStringList titles = s.titles();
    EXPECT_EQ(
        titles,
        (QStringList{QStringLiteral("语文｜背诵《春》第二段"), QStringLiteral("数学｜练习册P12"),
                     QStringLiteral("英语｜默写Unit 2单词")}));
    EXPECT_EQ(s.statusShown(), QStringLiteral("来自剪贴板：解析出 3 条"));
    EXPECT_EQ(view->header()->listName(), QStringLiteral("3.15作业"));
    EXPECT_FALSE(s.showsPicture());
    EXPECT_TRUE(s.rawTextShown());

    // Recorded like an import, as text without a picture.
    s.click("writeButton");
    ASSERT_EQ(harness.history.records().size(), 1);
    const HistoryRecord fromClipboard = harness.history.records().first();
    EXPECT_TRUE(fromClipboard.fromText);
    EXPECT_FALSE(fromClipboard.imagePath.has_value());
    EXPECT_EQ(fromClipboard.items, titles);
    EXPECT_EQ(harness.titlesIn(QStringLiteral("3.15作业")).size(), 3);
    const QList<TaskItem> pasted = harness.store.list(QStringLiteral("3.15作业"))->tasks;
    for (const TaskItem &task : pasted)
        EXPECT_FALSE(task.source.has_value());

    // Text dropped from a chat window does the same.
    s.dropText(QStringLiteral("物理：整理第三章笔记\n历史：复习第5课"));
    EXPECT_EQ(s.statusShown(), QStringLiteral("来自拖入的文字：解析出 2 条"));
    EXPECT_EQ(view->items().size(), 2);
    EXPECT_EQ(view->items().first().title(), QStringLiteral("物理｜整理第三章笔记"));

    // Files copied in a file manager are loaded as files.
    const QString notAnImage = harness.home.path() + QStringLiteral("/notes.jpg");
    QFile(notAnImage).open(QIODevice::WriteOnly);
    auto *files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(notAnImage)});
    files->setText(notAnImage);
    clipboard->setMimeData(files);
    s.click("pasteButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 notes.jpg …"));
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), ImportTexts::noText());

    // A picture on the clipboard wins over its text, and is recognised off the UI thread.
    QImage blank(640, 480, QImage::Format_RGB32);
    blank.fill(Qt::white);
    auto *both = new QMimeData;
    both->setImageData(blank);
    both->setText(QStringLiteral("语文：背课文"));
    clipboard->setMimeData(both);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 剪贴板图片 …"));
    EXPECT_TRUE(s.progressShown());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_EQ(s.statusShown(), QStringLiteral("来自剪贴板：解析出 0 条"));
    EXPECT_TRUE(view->items().isEmpty());
    EXPECT_FALSE(s.rawTextShown());
    EXPECT_TRUE(s.showsPicture());
    s.addRow(QStringLiteral("美术"), QStringLiteral("带水彩笔"));
    s.click("writeButton");
    EXPECT_FALSE(harness.history.records().first().fromText);
    EXPECT_FALSE(harness.history.records().first().imagePath.has_value());
}

TEST_F(ImportScreenTest, SeveralPhotosMakeOneListInTheOrderChosen)
{
    const ImportScreenDriver s = screen();
    ImportView *view = s.view();
    QStringList statuses;
    QObject::connect(view, &ImportView::statusChanged, view,
                     [&statuses](const QString &status) { statuses.append(status); });

    // Three names typed into the open dialog, in the order wanted.
    const QDir data(QFileInfo(corpusImage(QStringLiteral("14-hand-photo.jpg"))).absolutePath());
    QTimer::singleShot(0, [&data] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(data);
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        ImportScreenDriver::type(
            name,
            QStringLiteral("\"14-hand-photo.jpg\" \"05-kai-photo.jpg\" \"01-screenshot.png\""));
        QTest::keyClick(name, Qt::Key_Return);
    });
    s.click("chooseImageButton");
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 1/3…"));
    EXPECT_TRUE(s.progressShown());
    ASSERT_TRUE(s.waitIdle());
    EXPECT_TRUE(statuses.contains(QStringLiteral("正在识别 2/3…")))
        << statuses.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(statuses.contains(QStringLiteral("正在识别 3/3…")))
        << statuses.join(QLatin1Char('|')).toStdString();

    // The lines of each photo, in the order chosen, parsed as one list.
    const QStringList hand = {QStringLiteral("3月22日作业"), QStringLiteral("语文：背诵古诗三首"),
                              QStringLiteral("数学：练习册p18"),
                              QStringLiteral("英语：抄写单词两遍")};
    const QStringList kai = {QStringLiteral("5月8日作业"), QStringLiteral("语文：抄写词语两遍"),
                             QStringLiteral("数学：第3题 第4题"),
                             QStringLiteral("英语：读课文三遍")};
    EXPECT_EQ(s.rawLines().mid(0, 8), hand + kai);
    EXPECT_EQ(s.rawLines().size(), 15);
    // (The places to check that may follow are the marks' own test.)
    EXPECT_TRUE(s.statusShown().startsWith(
        QStringLiteral("识别到 15 行文字，解析出 %1 条作业").arg(view->items().size())))
        << s.statusShown().toStdString();
    QStringList texts;
    for (const SlateItem &item : view->items())
        texts.append(item.text);
    const qsizetype poems = texts.indexOf(QStringLiteral("背诵古诗三首"));
    const qsizetype words = texts.indexOf(QStringLiteral("抄写词语两遍"));
    const qsizetype spring = texts.indexOf(QStringLiteral("背诵《春》第一、二段"));
    EXPECT_TRUE(poems >= 0 && poems < words && words < spring)
        << texts.join(QLatin1Char('|')).toStdString();
    // The second and third photos' dated headings are no tasks of the list before them.
    for (const QString &text : texts)
        EXPECT_FALSE(text.contains(QStringLiteral("日作业"))) << text.toStdString();

    // The pictures form a strip to page through, with the arrows or the arrow keys.
    EXPECT_TRUE(s.showsPicture());
    auto *page = s.find<QLabel>("imagePageLabel");
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->text(), QStringLiteral("1 / 3"));
    EXPECT_FALSE(s.button("previousImageButton")->isEnabled());
    s.click("nextImageButton");
    EXPECT_EQ(page->text(), QStringLiteral("2 / 3"));
    QTest::keyClick(s.find("dropZone"), Qt::Key_Right);
    EXPECT_EQ(page->text(), QStringLiteral("3 / 3"));
    EXPECT_FALSE(s.button("nextImageButton")->isEnabled());
    QTest::keyClick(s.find("dropZone"), Qt::Key_Left);
    EXPECT_EQ(page->text(), QStringLiteral("2 / 3"));

    // One history record keeps every photo, in order; the first names the entries' source.
    s.typeListName(QStringLiteral("三张照片"));
    s.click("writeButton");
    ASSERT_EQ(harness.history.records().size(), 1);
    const HistoryRecord record = harness.history.records().first();
    EXPECT_EQ(record.imagePaths(),
              (QStringList{data.absoluteFilePath(QStringLiteral("14-hand-photo.jpg")),
                           data.absoluteFilePath(QStringLiteral("05-kai-photo.jpg")),
                           data.absoluteFilePath(QStringLiteral("01-screenshot.png"))}));
    EXPECT_EQ(record.imagePath, data.absoluteFilePath(QStringLiteral("14-hand-photo.jpg")));
    EXPECT_EQ(harness.store.list(QStringLiteral("三张照片"))->tasks.first().source,
              QStringLiteral("14-hand-photo.jpg"));

    // Several files dropped at once are read in the order dropped.
    statuses.clear();
    s.drop({data.absoluteFilePath(QStringLiteral("05-kai-photo.jpg")),
            data.absoluteFilePath(QStringLiteral("14-hand-photo.jpg"))});
    EXPECT_EQ(s.statusShown(), QStringLiteral("正在识别 1/2…"));
    ASSERT_TRUE(s.waitIdle());
    EXPECT_TRUE(statuses.contains(QStringLiteral("正在识别 2/2…")));
    EXPECT_EQ(s.rawLines(), kai + hand);
    EXPECT_EQ(page->text(), QStringLiteral("1 / 2"));

    // A heading that opens the second photo after a subject line of the first (明天带美术工具)
    // is that photo's heading, not a task of 美术; its tasks follow.
    s.drop({data.absoluteFilePath(QStringLiteral("01-screenshot.png")),
            data.absoluteFilePath(QStringLiteral("03-print-photo.jpg"))});
    ASSERT_TRUE(s.waitIdle());
    const QStringList titles = s.titles();
    EXPECT_FALSE(titles.join(QLatin1Char('|')).contains(QStringLiteral("作业")))
        << titles.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(titles.contains(QStringLiteral("语文｜预习第14课")))
        << titles.join(QLatin1Char('|')).toStdString();
}

TEST_F(ImportScreenTest, TheKeyboardAloneGoesFromStartToASavedList)
{
    const ImportScreenDriver s = screen();
    // The user has copied a chat message; from here on only Tab, Space and Enter.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("语文：背课文\n数学：口算本第8页\n英语：听写单词"));
    QStringList stops;
    const auto tabTo = [&](const QString &target) {
        for (int presses = 0; presses < 60; ++presses) {
            QCoreApplication::processEvents(); // shows rows made a moment ago
            QWidget *focus = QApplication::focusWidget();
            if (stops.isEmpty())
                stops.append(focus ? focus->objectName() : QString());
            if (focus && focus->objectName() == target)
                return true;
            QTest::keyClick(focus ? focus : window.get(), Qt::Key_Tab);
            focus = QApplication::focusWidget();
            const QString name = focus ? focus->objectName() : QString();
            if (stops.isEmpty() || stops.last() != name)
                stops.append(name);
        }
        return false;
    };
    // Stops in the screen's reading order: `names` appear in `stops` in this order.
    const auto inOrder = [&stops](const QStringList &names) {
        qsizetype from = 0;
        for (const QString &name : names) {
            from = stops.indexOf(name, from);
            if (from < 0)
                return false;
        }
        return true;
    };

    ASSERT_TRUE(tabTo(QStringLiteral("pasteButton"))) << stops.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(
        inOrder({QStringLiteral("targetSwitch"), QStringLiteral("listNameField"),
                 QStringLiteral("dueCheck"), QStringLiteral("dueEdit"), QStringLiteral("dropZone"),
                 QStringLiteral("chooseImageButton"), QStringLiteral("pasteButton")}))
        << stops.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(stops.contains(QStringLiteral("writeButton")))
        << "the write button comes after the rows";
    // The focused button looks focused.
    QWidget *paste = QApplication::focusWidget();
    const QImage focused = paste->grab().toImage();
    QTest::keyClick(paste, Qt::Key_Space);
    ASSERT_EQ(s.view()->items().size(), 3);

    stops.clear();
    ASSERT_TRUE(tabTo(QStringLiteral("tickBox"))) << stops.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(tabTo(QStringLiteral("trashButton")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("tickBox"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // the second row stays behind
    ASSERT_TRUE(tabTo(QStringLiteral("writeButton")));
    EXPECT_TRUE(inOrder({QStringLiteral("captureButton"), QStringLiteral("rawTextToggle"),
                         QStringLiteral("addEntryButton"), QStringLiteral("reparseButton"),
                         QStringLiteral("tickBox"), QStringLiteral("subjectField"),
                         QStringLiteral("textField"), QStringLiteral("trashButton"),
                         QStringLiteral("tickBox"), QStringLiteral("selectAllButton"),
                         QStringLiteral("selectNoneButton"), QStringLiteral("writeButton")}))
        << stops.join(QLatin1Char(' ')).toStdString();
    EXPECT_NE(paste->grab().toImage(), focused) << "focus is visible";
    EXPECT_EQ(s.countText(), QStringLiteral("2/3 条待写入"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);

    const QString listName = s.view()->header()->listName();
    EXPECT_EQ(s.statusShown(),
              QStringLiteral("✅ 已存到 App 清单「%1」共 2 条，到期会通知你").arg(listName));
    EXPECT_EQ(harness.titlesIn(listName),
              (QStringList{QStringLiteral("英语｜听写单词"), QStringLiteral("语文｜背课文")}));
}

} // namespace
