#include "ImportScreenDriver.h"
#include "ScreenHarness.h"

#include "core/ScoredText.h"
#include "ui/MainWindow.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ResultPane.h"
#include "ui/shell/RootView.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

// Characters recognition was unsure of are marked in the import rows until the user edits them.

namespace {

// Pixels of the mark's warm tint: clearly more red than blue, which neither the text, the glass
// nor the selection colours are.
int tintedPixels(QWidget *widget)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() - pixel.blue() > 25)
                ++count;
        }
    }
    return count;
}

// A point over the character at `position` of the field.
QPoint over(QLineEdit *field, int position)
{
    for (int x = 0; x < field->width(); ++x) {
        const QPoint point(x, field->height() / 2);
        if (field->cursorPositionAt(point) == position + 1)
            return point - QPoint(2, 0);
    }
    return {};
}

QString tooltipAt(QLineEdit *field, const QPoint &point)
{
    // A tooltip fades out, so wait for the last one to go.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000))
        return QStringLiteral("(a tooltip stays)");
    QHelpEvent help(QEvent::ToolTip, point, field->mapToGlobal(point));
    QCoreApplication::sendEvent(field, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

TEST(ImportMarks, UnsureCharactersAreMarkedUntilTheRowIsEdited)
{
    // 练习册P89: the 8 was read unsurely.
    SlateItem read(QStringLiteral("数学"), QStringLiteral("练习册P89"));
    read.textConfidence = {0.99f, 0.98f, 0.99f, 0.97f, 0.2f, 0.99f};

    QWidget window;
    window.resize(480, 60);
    auto *marked = new EntryRow(read, &window);
    marked->setGeometry(0, 0, 480, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(marked->doubtfulSpans(), QList<TextSpan>({{4, 1}}));
    EXPECT_GT(tintedPixels(ImportScreenDriver::textField(marked)), 20);

    // The tooltip names the doubt over the marked character only.
    const QPoint overEight = over(ImportScreenDriver::textField(marked), 4);
    ASSERT_FALSE(overEight.isNull());
    EXPECT_EQ(tooltipAt(ImportScreenDriver::textField(marked), overEight),
              QStringLiteral("识别把握不大，请核对"));
    EXPECT_TRUE(tooltipAt(ImportScreenDriver::textField(marked),
                          over(ImportScreenDriver::textField(marked), 1))
                    .isEmpty());

    // Any edit means the user has looked: every mark goes, the text stays as edited.
    QLineEdit *field = ImportScreenDriver::textField(marked);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QStringLiteral("9"));
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), QStringLiteral("练习册P89"));
    EXPECT_TRUE(marked->doubtfulSpans().isEmpty());
    EXPECT_EQ(tintedPixels(field), 0);
    EXPECT_TRUE(tooltipAt(field, over(field, 4)).isEmpty());
}

TEST(ImportMarks, ARecognisedPhotoCountsThePlacesToCheckAndTypedRowsHaveNone)
{
    ScreenHarness harness;
    MainWindow window(harness.shared());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const ImportScreenDriver screen(window.rootView()->importView());

    // On the blackboard the 9 of P108-109 reads as an unsure q, and its P unsurely too; every
    // other character of the entries reads surely.
    screen.drop({corpusImage(QStringLiteral("43-blackboard.jpg"))});
    ASSERT_TRUE(screen.waitIdle());
    EXPECT_EQ(screen.statusShown(), QStringLiteral("识别到 5 行文字，解析出 4 条作业，2 处需核对"));
    const QList<EntryRow *> rows = screen.rows();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(ImportScreenDriver::textField(rows[2])->text(), QStringLiteral("练习册P108-10q"));
    EXPECT_EQ(rows[2]->doubtfulSpans(), QList<TextSpan>({{3, 1}, {10, 1}}));
    EXPECT_TRUE(rows[1]->doubtfulSpans().isEmpty());

    // The count follows the rows: the edited row has nothing left to check.
    QLineEdit *unsure = ImportScreenDriver::textField(rows[2]);
    unsure->setFocus();
    QTest::keyClick(unsure, Qt::Key_End);
    QTest::keyClick(unsure, Qt::Key_Backspace);
    QTest::keyClicks(unsure, QStringLiteral("9"));
    EXPECT_EQ(screen.statusShown(), QStringLiteral("识别到 5 行文字，解析出 4 条作业"));

    // A row added and typed by hand is not recognised text.
    screen.addRow(QStringLiteral("语文"), QStringLiteral("背课文"));
    EXPECT_TRUE(screen.row(4)->doubtfulSpans().isEmpty());
    EXPECT_EQ(tintedPixels(ImportScreenDriver::textField(screen.row(4))), 0);
}
