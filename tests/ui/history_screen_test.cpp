#include "AlertAnswerer.h"
#include "Named.h"
#include "ScreenHarness.h"
#include "support/TestPaths.h"

#include "bridges/notifications/NotificationRequests.h"
#include "data/AtomicWrite.h"
#include "data/HistoryJson.h"
#include "ui/glass/SymbolButton.h"
#include "ui/history/HistoryTexts.h"
#include "ui/history/HistoryView.h"
#include "ui/history/RecordRow.h"
#include "ui/history/Thumbnails.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QThreadPool>
#include <QTimeZone>
#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

HistoryRecord record(const QString &listName, const QStringList &items,
                     std::optional<QString> imagePath = std::nullopt, qint64 written = 0,
                     qint64 skipped = 0)
{
    HistoryRecord r;
    r.listName = listName;
    r.items = items;
    r.imagePath = std::move(imagePath);
    r.written = written;
    r.skipped = skipped;
    return r;
}

TEST(HistoryTextsTest, TimeShowsTheDayAndAZeroPaddedClock)
{
    EXPECT_EQ(HistoryTexts::time(QDateTime(QDate(2025, 3, 5), QTime(7, 5))),
              QStringLiteral("3月5日 07:05"));
}

TEST(ThumbnailsTest, FillsAnUprightSquareOrGivesNothing)
{
    // The corpus' rotated photo is stored sideways with an EXIF turn.
    const QImage rotated =
        Thumbnails::make(corpusImage(QStringLiteral("13-exif-rotated.jpg")), 128);
    EXPECT_EQ(rotated.size(), QSize(128, 128));
    EXPECT_EQ(Thumbnails::make(corpusImage(QStringLiteral("math-line.heic")), 64).size(),
              QSize(64, 64));
    EXPECT_TRUE(Thumbnails::make(corpusImage(QStringLiteral("no-such-file.jpg")), 64).isNull());
    EXPECT_TRUE(
        Thumbnails::make(TestPaths::data(QStringLiteral("../ui/CMakeLists.txt")), 64).isNull());
}

class HistoryScreenTest : public ::testing::Test {
protected:
    void open()
    {
        view = std::make_unique<HistoryView>(harness.shared());
        view->resize(860, 640);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    // The shown rows, in the order the screen lists them: the history's order.
    QList<RecordRow *> rows() const
    {
        QList<RecordRow *> shown;
        for (const HistoryRecord &record : harness.history.records()) {
            for (RecordRow *each : view->findChildren<RecordRow *>()) {
                // Rows on their way out were hidden; new ones are not shown until the next turn.
                const bool leaving =
                    each->isHidden() && each->testAttribute(Qt::WA_WState_ExplicitShowHide);
                if (!leaving && each->record().id == record.id)
                    shown.append(each);
            }
        }
        return shown;
    }

    // The list names of the rows inside the visible part of the list, top to bottom.
    QStringList inView() const
    {
        QWidget *viewport = named<QScrollArea>(view, "recordsScrollArea")->viewport();
        QList<RecordRow *> shown = rows();
        shown.removeIf([viewport](RecordRow *each) {
            const QRect box(each->mapTo(viewport, QPoint(0, 0)), each->size());
            return !each->isVisible() || !box.intersects(viewport->rect());
        });
        std::sort(shown.begin(), shown.end(),
                  [](RecordRow *a, RecordRow *b) { return a->y() < b->y(); });
        QStringList names;
        for (RecordRow *each : shown)
            names.append(each->record().listName);
        return names;
    }

    RecordRow *row(const QString &listName) const
    {
        for (RecordRow *each : rows()) {
            if (each->record().listName == listName)
                return each;
        }
        ADD_FAILURE() << "no row " << listName.toStdString();
        return nullptr;
    }

    ScreenHarness harness;
    std::unique_ptr<HistoryView> view;
};

TEST_F(HistoryScreenTest, RowsShowPreviewBadgesThumbnailsAndFollowTheStore)
{
    harness.history.add(
        record(QStringLiteral("无图"), {"语文｜背诵", "数学｜P12"}, std::nullopt, 0, 3));
    harness.history.add(record(QStringLiteral("有图"), {"a", "b", "c", "d", "e"},
                               corpusImage(QStringLiteral("03-print-photo.jpg")), 5, 0));
    harness.history.add(
        record(QStringLiteral("坏图"), {}, corpusImage(QStringLiteral("gone.jpg")), 1, 1));
    open();
    EXPECT_EQ(named<QLabel>(view, "historyCountLabel")->text(), QStringLiteral("共 3 次导入"));
    ASSERT_EQ(rows().size(), 3);
    // Newest first.
    EXPECT_EQ(rows().first()->record().listName, QStringLiteral("坏图"));

    RecordRow *plain = row(QStringLiteral("无图"));
    EXPECT_EQ(named<QLabel>(plain, "previewLabel")->text(),
              QStringLiteral("语文｜背诵 · 数学｜P12"));
    EXPECT_EQ(named<QLabel>(plain, "writtenBadge"), nullptr);
    ASSERT_NE(named<QLabel>(plain, "skippedBadge"), nullptr);
    EXPECT_EQ(named<QLabel>(plain, "skippedBadge")->text(), QStringLiteral("跳过 3"));
    EXPECT_FALSE(named<QPushButton>(plain, "revealButton")->isEnabled());
    EXPECT_TRUE(named<QPushButton>(plain, "rewriteButton")->isEnabled());
    EXPECT_TRUE(plain->showsPlaceholder());
    EXPECT_EQ(named<QLabel>(plain, "recordTimeLabel")->text(),
              HistoryTexts::time(plain->record().date));

    RecordRow *pictured = row(QStringLiteral("有图"));
    EXPECT_EQ(named<QLabel>(pictured, "previewLabel")->text(),
              QStringLiteral("a · b · c …等 5 条"));
    EXPECT_EQ(named<QLabel>(pictured, "writtenBadge")->text(), QStringLiteral("写入 5"));
    EXPECT_EQ(named<QLabel>(pictured, "skippedBadge"), nullptr);
    EXPECT_TRUE(named<QPushButton>(pictured, "revealButton")->isEnabled());
    // Made off the UI thread, then shown.
    ASSERT_TRUE(waitUntil([&] { return !pictured->showsPlaceholder(); }, 20000));

    RecordRow *broken = row(QStringLiteral("坏图"));
    EXPECT_FALSE(named<QPushButton>(broken, "rewriteButton")->isEnabled());
    EXPECT_TRUE(named<QPushButton>(broken, "revealButton")->isEnabled());
    QTest::qWait(200);
    EXPECT_TRUE(broken->showsPlaceholder());

    // The trash can removes the record without asking; the other rows stay as they were.
    QTest::mouseClick(named<SymbolButton>(plain, "deleteRecordButton"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return rows().size() == 2; }, 5000));
    EXPECT_EQ(harness.history.records().size(), 2);
    EXPECT_EQ(row(QStringLiteral("有图")), pictured);
    EXPECT_EQ(named<QLabel>(view, "historyCountLabel")->text(), QStringLiteral("共 2 次导入"));

    // A record added meanwhile (the import screen) shows up first.
    harness.history.add(record(QStringLiteral("新的"), {"x"}));
    EXPECT_EQ(rows().first()->record().listName, QStringLiteral("新的"));
}

TEST_F(HistoryScreenTest, WriteAgainAddsWhatIsMissingAndReschedulesDatedEntries)
{
    const QDateTime due(QDate::currentDate().addDays(1), QTime(20, 0));
    harness.store.add({QStringLiteral("语文｜背诵")}, QStringLiteral("3.15作业"), due);
    harness.history.add(record(QStringLiteral("3.15作业"),
                               {"语文｜背诵", "数学｜P12", "数学｜P12", " ", "英语｜听写"}));
    open();
    const qsizetype records = harness.history.records().size();

    QTest::mouseClick(named<QPushButton>(rows().first(), "rewriteButton"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !view->status().isEmpty(); }, 5000));
    EXPECT_EQ(view->status(), QStringLiteral("已重新存到 App 清单「3.15作业」2 条"));
    EXPECT_EQ(named<QLabel>(view, "historyStatusLabel")->text(), view->status());
    const auto list = harness.store.list(QStringLiteral("3.15作业"));
    ASSERT_EQ(list->tasks.size(), 3);
    // The entry that already had a due time is notified again; the new ones have none.
    QStringList notified;
    for (const NotificationRequest &request : harness.pendingNotifications())
        notified.append(request.identifier);
    for (const TaskItem &task : list->tasks) {
        EXPECT_EQ(notified.contains(NotificationRequests::dueIdentifier(task.id)),
                  task.title == QStringLiteral("语文｜背诵"));
        if (task.title != QStringLiteral("语文｜背诵")) {
            EXPECT_EQ(task.due, std::nullopt);
            EXPECT_EQ(task.source, QStringLiteral("历史重写"));
        }
    }

    // Again: everything is there already.
    view->rewrite(harness.history.records().first());
    EXPECT_EQ(view->status(), QStringLiteral("「3.15作业」里这些条目都已存在"));

    // After the list was deleted on the lists screen it comes back.
    harness.store.deleteList(QStringLiteral("3.15作业"));
    view->rewrite(harness.history.records().first());
    EXPECT_EQ(view->status(), QStringLiteral("已重新存到 App 清单「3.15作业」3 条"));
    EXPECT_EQ(harness.store.list(QStringLiteral("3.15作业"))->tasks.size(), 3);
    EXPECT_EQ(harness.history.records().size(), records);
}

TEST_F(HistoryScreenTest, ClearingAsksAndOnlyClearConfirms)
{
    harness.history.add(record(QStringLiteral("一"), {"a"}));
    harness.history.add(record(QStringLiteral("二"), {"b"}));
    open();
    EXPECT_TRUE(named<QPushButton>(view, "clearHistoryButton")->isEnabled());

    auto seen = answerNextAlert(QStringLiteral("取消"));
    QTest::mouseClick(named<QPushButton>(view, "clearHistoryButton"), Qt::LeftButton);
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->texts.mid(0, 2),
              (QStringList{"清空全部历史记录？", "只删除本机记录文件，不影响提醒事项里的内容。"}));
    EXPECT_EQ(seen->buttons, (QStringList{"取消", "清空"}));
    EXPECT_EQ(harness.history.records().size(), 2);

    answerNextAlert(QStringLiteral("清空"));
    QTest::mouseClick(named<QPushButton>(view, "clearHistoryButton"), Qt::LeftButton);
    EXPECT_TRUE(harness.history.records().isEmpty());
    // The empty panel: nothing left to clear, the folder still to open.
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(named<QWidget>(view, "historyEmptyState")->isVisible());
    EXPECT_EQ(named<QLabel>(view, "historyCountLabel")->text(), QStringLiteral("共 0 次导入"));
    EXPECT_FALSE(named<QPushButton>(view, "clearHistoryButton")->isEnabled());
    EXPECT_TRUE(named<QPushButton>(view, "historyOpenFolderButton")->isEnabled());
}

// Where a picture was there may now be anything: the row shows that the picture is missing, and
// no worker is left waiting on it, so the window's process can quit.
TEST_F(HistoryScreenTest, APictureThatIsNoFileShowsAsMissingAndHoldsNothingUp)
{
    const QString fifo = harness.home.path() + QStringLiteral("/fifo.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = harness.home.path() + QStringLiteral("/folder.jpg");
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        QString name;
        QString path;
        bool pictured;
    } cases[] = {
        {QStringLiteral("照片"), corpusImage(QStringLiteral("05-kai-photo.jpg")), true},
        {QStringLiteral("管道"), fifo, false},
        {QStringLiteral("文件夹"), folder, false},
        {QStringLiteral("设备"), QStringLiteral("/dev/zero"), false},
        {QStringLiteral("已删除"), harness.home.path() + QStringLiteral("/gone.jpg"), false},
    };
    for (const auto &each : cases)
        harness.history.add(record(each.name, {"语文｜背诵"}, each.path, 1));
    open();
    for (const auto &each : cases) {
        SCOPED_TRACE(each.name.toStdString());
        RecordRow *shown = row(each.name);
        ASSERT_NE(shown, nullptr);
        auto *picture = named<QWidget>(shown, "recordThumbnail");
        if (each.pictured) {
            EXPECT_TRUE(waitUntil([&] { return !shown->showsPlaceholder(); }, 20000));
            EXPECT_TRUE(picture->toolTip().isEmpty());
        } else {
            EXPECT_TRUE(waitUntil(
                [&] { return picture->toolTip() == HistoryTexts::pictureMissing(each.path); },
                10000))
                << picture->toolTip().toStdString();
            EXPECT_TRUE(shown->showsPlaceholder());
        }
    }

    view.reset();
    const bool idle = QThreadPool::globalInstance()->waitForDone(5000);
    if (!idle) {
        // A writer end releases a worker stuck opening the FIFO, so this test ends at least.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    EXPECT_TRUE(idle) << "a thumbnail worker still waits on the FIFO";
}

// A full history: rows are made for the records in view only, in the history's order;
// scrolling brings the others, and their buttons act on their own record.
TEST_F(HistoryScreenTest, ALongHistoryMakesRowsOnlyForTheRecordsInView)
{
    constexpr int full = int(HistoryStore::capacity);
    QList<HistoryRecord> records;
    for (int i = 0; i < full; ++i)
        records.append(record(QStringLiteral("第%1次").arg(i), {"数学｜P12"}, std::nullopt, 1));
    ASSERT_TRUE(writeFileAtomically(harness.history.file(), HistoryJson::encode(records)));
    harness.history.load();
    ASSERT_EQ(harness.history.records().size(), full);
    open();
    EXPECT_EQ(named<QLabel>(view, "historyCountLabel")->text(),
              QStringLiteral("共 %1 次导入").arg(full));
    const QStringList first = inView();
    ASSERT_GE(first.size(), 3);
    for (qsizetype i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i], QStringLiteral("第%1次").arg(i));
    EXPECT_LE(rows().size(), first.size() + 2);

    QScrollBar *bar = named<QScrollArea>(view, "recordsScrollArea")->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTest::qWait(0);
    const QStringList last = inView();
    ASSERT_FALSE(last.isEmpty());
    EXPECT_EQ(last.last(), QStringLiteral("第%1次").arg(full - 1));
    EXPECT_EQ(last.first(), QStringLiteral("第%1次").arg(full - last.size()));
    EXPECT_LE(view->findChildren<RecordRow *>().size(), last.size() + 2);

    QTest::mouseClick(
        named<SymbolButton>(row(QStringLiteral("第%1次").arg(full - 1)), "deleteRecordButton"),
        Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return harness.history.records().size() == full - 1; }, 5000));
    EXPECT_EQ(harness.history.records().last().listName, QStringLiteral("第%1次").arg(full - 2));
    ASSERT_TRUE(waitUntil([&] { return !inView().isEmpty(); }, 5000));
    EXPECT_EQ(inView().last(), QStringLiteral("第%1次").arg(full - 2));
}

} // namespace
