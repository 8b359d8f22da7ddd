#include "ImportScreenDriver.h"
#include "ScreenHarness.h"

#include "data/HistoryStore.h"
#include "ui/MainWindow.h"
#include "ui/glass/ElidedLabel.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/glass/SymbolView.h"
#include "ui/shell/RootView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>
#include <iostream>

namespace {

// What a widget showing text needs and does not get: its name, or nothing.
QString cut(QWidget *widget)
{
    const QSize size = widget->size();
    QString text;
    QSize needed;
    if (qobject_cast<ElidedLabel *>(widget))
        return {}; // ends in "…" with the whole text as its tooltip, by design
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty())
            return {};
        text = label->text();
        needed = label->wordWrap()
            ? QSize(label->minimumSizeHint().width(), label->heightForWidth(size.width()))
            : label->sizeHint();
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        if (button->text().isEmpty())
            return {};
        text = button->text();
        needed = button->sizeHint();
    } else if (auto *segments = qobject_cast<SegmentedControl *>(widget)) {
        text = segments->objectName();
        needed = segments->sizeHint();
    } else {
        return {};
    }
    if (size.width() >= needed.width() && size.height() >= needed.height())
        return {};
    return QStringLiteral("%1: %2×%3 of %4×%5")
        .arg(text)
        .arg(size.width())
        .arg(size.height())
        .arg(needed.width())
        .arg(needed.height());
}

// A 14-point desktop font: the window at its smallest still fits a 1366 × 768 screen (with room
// for a title bar), no text on any screen is cut, and symbols grow with the text.
TEST(LargeFontTest, AFourteenPointFontCutsNoTextAndFitsASmallScreen)
{
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPointSizeF(14);
    QApplication::setFont(large);

    ScreenHarness harness;
    const QString list = QStringLiteral("3.15作业");
    harness.store.ensureList(list);
    harness.store.addTask(QStringLiteral("语文｜背诵"), std::nullopt, list);
    HistoryRecord record;
    record.listName = list;
    record.items = {QStringLiteral("语文｜背诵")};
    harness.history.add(record);

    MainWindow window(harness.shared());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(window.minimumSize());
    std::cout << "smallest window at 14 pt: " << window.minimumWidth() << "×"
              << window.minimumHeight() << '\n';
    for (AppSection section : AppSections::all()) {
        window.rootView()->setSection(section);
        SCOPED_TRACE(AppSections::rawValue(section).toStdString());
        if (section == AppSection::Importer) {
            ImportScreenDriver(window.rootView()->importView())
                .addRow(QStringLiteral("英语"), QStringLiteral("听写 Module 4"));
        }
        QTest::qWait(50);
        // The window grows to what the screen needs, no further.
        EXPECT_GE(window.width(), window.minimumWidth());
        EXPECT_LE(window.width(), 1366);
        EXPECT_LE(window.height(), 768 - 40);
        for (QWidget *widget : window.findChildren<QWidget *>()) {
            if (!widget->isVisible())
                continue;
            const QString problem = cut(widget);
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
            if (qobject_cast<SymbolView *>(widget)) {
                EXPECT_GE(widget->height(), 17) << widget->objectName().toStdString();
            }
        }
    }
    QApplication::setFont(before);
}

} // namespace
