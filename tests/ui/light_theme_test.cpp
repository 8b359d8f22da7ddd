#include "Named.h"
#include "PaintedColours.h"
#include "ScreenHarness.h"

#include "ui/MainWindow.h"
#include "ui/glass/GlassPalette.h"
#include "ui/shell/ColorScheme.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QListView>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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

// The due times of an entry due later today and of an overdue one, as the lists screen paints
// them in the application's present palette.
void dueTimesAreReadable()
{
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
}

} // namespace

// Each scheme draws its own colours on the lists screen, not the other's: the due times stand out
// from their rows as text must, in the light palette and in the dark one.
TEST(LightThemeTest, DueTimesOnTheListsScreenAreReadable)
{
    const QTime now = QTime::currentTime();
    if (now > QTime(23, 50))
        GTEST_SKIP() << "no time is left today for an entry due later today";
    const QPalette before = QApplication::palette();
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        QApplication::setPalette(dark ? ColorScheme::darkPalette()
                                      : QApplication::style()->standardPalette());
        dueTimesAreReadable();
    }
    QApplication::setPalette(before);
}
