#include "Named.h"
#include "ScreenHarness.h"

#include "ui/MainWindow.h"
#include "ui/glass/GlassPalette.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QListView>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The most frequent colour of the image: what is behind the text.
QColor backgroundOf(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb most = 0;
    int mostCount = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > mostCount) {
            most = it.key();
            mostCount = it.value();
        }
    }
    return QColor::fromRgb(most);
}

// The due text's colour as drawn: its red or orange pixels, the glyphs' cores standing out most.
// Primary and secondary texts are grey, so no other text is counted.
qreal dueTextContrast(const QImage &row, int *pixels)
{
    const QColor background = backgroundOf(row);
    qreal best = 0;
    *pixels = 0;
    for (int y = 0; y < row.height(); ++y) {
        for (int x = 0; x < row.width(); ++x) {
            const QColor pixel = row.pixelColor(x, y);
            if (pixel.red() - pixel.blue() < 60 || pixel.red() - pixel.green() < 40)
                continue;
            ++*pixels;
            best = qMax(best, GlassPalette::contrastRatio(pixel, background));
        }
    }
    return best;
}

} // namespace

// The light scheme draws its own colours on the lists screen, not the dark scheme's: the due
// times stand out from their rows as text must.
TEST(LightThemeTest, DueTimesOnTheListsScreenAreReadable)
{
    const QTime now = QTime::currentTime();
    if (now > QTime(23, 50))
        GTEST_SKIP() << "no time is left today for an entry due later today";
    const QPalette before = QApplication::palette();
    QApplication::setPalette(QApplication::style()->standardPalette());
    ASSERT_GT(QApplication::palette().color(QPalette::Window).lightness(), 128);

    ScreenHarness harness;
    const QString list = QStringLiteral("3.15作业");
    harness.store.ensureList(list);
    harness.store.addTask(QStringLiteral("今天交"), QDateTime(QDate::currentDate(), QTime(23, 59)),
                          list);
    harness.store.addTask(QStringLiteral("昨天就该交"),
                          QDateTime(QDate::currentDate().addDays(-1), QTime(12, 0)), list);
    MainWindow window(harness.shared());
    window.rootView()->setSection(AppSection::Lists);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    auto *tasks = named<QListView>(&window, "taskView");
    ASSERT_NE(tasks, nullptr);
    ASSERT_EQ(tasks->model()->rowCount(), 2);
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < 2; ++row) {
        const QModelIndex index = tasks->model()->index(row, 0);
        const QRect rect = tasks->visualRect(index);
        const QImage drawn =
            shot.copy(QRect(tasks->viewport()->mapTo(&window, rect.topLeft()), rect.size()));
        int pixels = 0;
        const qreal contrast = dueTextContrast(drawn, &pixels);
        const QString title = index.data().toString();
        EXPECT_GT(pixels, 10) << title.toStdString();
        EXPECT_GE(contrast, 4.5) << title.toStdString();
    }
    QApplication::setPalette(before);
}
