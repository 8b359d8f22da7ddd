#include "ImportScreenDriver.h"
#include "Named.h"
#include "ScreenHarness.h"
#include "support/PrivateMounts.h"

#include "data/HistoryStore.h"
#include "ui/MainWindow.h"
#include "ui/shell/RootView.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Temporary folders (and so the test HOME) deep enough that a path in a message is longer than
// any screen is wide. Set before the harness makes its HOME.
class LongTempFolder {
public:
    LongTempFolder() : m_before(qgetenv("TMPDIR"))
    {
        // Once: the test runs again in a child process that inherits the variable.
        if (!m_before.contains("slatebook-deep")) {
            m_deep = QDir::tempPath() +
                QStringLiteral("/slatebook-deep-a-folder-with-a-long-name/"
                               "and-another-one-below-it-so-that-it-wraps");
            QDir().mkpath(m_deep);
            qputenv("TMPDIR", QFile::encodeName(m_deep));
        }
    }
    ~LongTempFolder()
    {
        qputenv("TMPDIR", m_before);
        if (!m_deep.isEmpty())
            QDir().rmpath(m_deep);
    }

private:
    QByteArray m_before;
    QString m_deep;
};

class ReadableStatusTest : public ::testing::Test {
protected:
    LongTempFolder deep;
    ScreenHarness harness;
};

// Whether `widget` is drawn whole: inside each of its ancestors up to the window.
bool drawnWhole(QWidget *widget)
{
    for (QWidget *ancestor = widget->parentWidget(); ancestor;
         ancestor = ancestor->parentWidget()) {
        const QRect box(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
        if (!ancestor->rect().contains(box))
            return false;
        if (ancestor->isWindow())
            break;
    }
    return true;
}

// The data folder full, every screen at the window's smallest size: the failure to save, which
// names tasks.json under a long path, is shown whole (as tall as its wrapped lines, inside every
// panel), selectable, and whole in its tooltip.
TEST_F(ReadableStatusTest, AFailureNamingALongPathIsReadableWholeOnEveryScreen)
{
    RUN_WITH_PRIVATE_MOUNTS();
    harness.store.add({QStringLiteral("语文｜背诵")}, QStringLiteral("3.15作业"));
    HistoryRecord record;
    record.listName = QStringLiteral("3.16作业");
    record.items = {QStringLiteral("数学｜P12")};
    harness.history.add(record);
    const QString data = harness.home.dataFolder();
    const QString tasks = data + QStringLiteral("/tasks.json");
    // The stores are loaded; the disk they live on is then full.
    if (!PrivateMounts::mountTmpfs(data, 256))
        GTEST_SKIP() << "mounting a tmpfs is refused here";
    PrivateMounts::fill(data);
    ASSERT_GT(tasks.size(), 120);

    MainWindow window(harness.shared());
    window.resize(window.minimumSize());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    RootView *root = window.rootView();

    const struct {
        const char *name;
        AppSection section;
        const char *label;
        std::function<void(QWidget *)> fail;
    } screens[] = {
        {"import", AppSection::Importer, "statusLabel",
         [](QWidget *screen) {
             const ImportScreenDriver s(qobject_cast<ImportView *>(screen));
             s.addRow(QStringLiteral("数学"), QStringLiteral("P12 1-5题"));
             s.click("writeButton");
             s.waitIdle();
         }},
        {"lists", AppSection::Lists, "listsStatusLabel",
         [](QWidget *screen) {
             auto *field = named<QLineEdit>(screen, "addField");
             ImportScreenDriver::type(field, QStringLiteral("数学 p12"));
             QTest::keyClick(field, Qt::Key_Return);
         }},
        {"history", AppSection::History, "historyStatusLabel",
         [](QWidget *screen) {
             QTest::mouseClick(named<QPushButton>(screen, "rewriteButton"), Qt::LeftButton);
         }},
    };
    for (const auto &each : screens) {
        SCOPED_TRACE(each.name);
        root->setSection(each.section);
        QWidget *screen = root->currentScreen();
        ASSERT_TRUE(waitUntil([&] { return screen->isVisible(); }, 5000));
        each.fail(screen);
        auto *label = named<QLabel>(screen, each.label);
        ASSERT_NE(label, nullptr);
        ASSERT_TRUE(waitUntil([&] { return label->text().contains(tasks); }, 10000))
            << label->text().toStdString();
        QTest::qWait(50); // the layout settles on the next turn
        EXPECT_TRUE(label->isVisible());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_GE(label->width(), label->minimumSizeHint().width());
        EXPECT_GT(label->height(), 2 * label->fontMetrics().lineSpacing())
            << "a path this long takes more than two lines";
        EXPECT_TRUE(drawnWhole(label));
        EXPECT_EQ(label->toolTip(), label->text());
        EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
}

} // namespace
