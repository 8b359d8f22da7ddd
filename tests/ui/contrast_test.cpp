#include "ImportScreenDriver.h"
#include "Named.h"
#include "PaintedColours.h"
#include "ScreenHarness.h"

#include "data/HistoryStore.h"
#include "ui/MainWindow.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/SymbolView.h"
#include "ui/shell/RootView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <iostream>

namespace {

// What KDE's platform theme makes of a Breeze Dark kdeglobals: its colours set role by role, the
// placeholder left at the light default.
QPalette breezeDark()
{
    QPalette palette = QApplication::style()->standardPalette();
    const QColor text(252, 252, 252);
    palette.setColor(QPalette::Window, QColor(32, 35, 38));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(20, 22, 24));
    palette.setColor(QPalette::AlternateBase, QColor(29, 31, 34));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(41, 44, 48));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::ToolTipBase, QColor(41, 44, 48));
    palette.setColor(QPalette::ToolTipText, text);
    return palette;
}

// The foreground as painted: the pixel standing out most from the background (a glyph's or a
// symbol's core; its anti-aliased edges only stand out less).
qreal paintedContrast(const QImage &region)
{
    const QColor background = backgroundOf(region);
    qreal best = 1;
    for (int y = 0; y < region.height(); ++y) {
        for (int x = 0; x < region.width(); ++x)
            best = qMax(best, GlassPalette::contrastRatio(region.pixelColor(x, y), background));
    }
    return best;
}

struct Measured {
    QString what;
    qreal contrast = 21;
};

// Every enabled text and symbol shown in the window: labels, buttons, empty fields' placeholders,
// symbols. Disabled controls are left out, as contrast rules leave them.
QList<std::pair<Measured, qreal>> measure(QWidget *window)
{
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QList<std::pair<Measured, qreal>> found;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || !widget->isEnabled() || widget->width() < 4 ||
            widget->height() < 4)
            continue;
        QRect box(widget->mapTo(window, QPoint(0, 0)), widget->size());
        if (!widget->visibleRegion().boundingRect().contains(widget->rect()) ||
            !window->rect().contains(box))
            continue;
        qreal needed = 0;
        QString what;
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
            needed = 4.5;
            what = label->text();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            needed = button->text().isEmpty() ? 3.0 : 4.5;
            what = button->text().isEmpty() ? button->objectName() : button->text();
        } else if (auto *field = qobject_cast<QLineEdit *>(widget);
                   field && field->text().isEmpty() && !field->placeholderText().isEmpty()) {
            needed = 4.5;
            what = field->placeholderText();
            // Inside the frame: the placeholder, not the field's outline.
            box = QRect(widget->mapTo(window, field->contentsRect().topLeft()),
                        field->contentsRect().size())
                      .adjusted(3, 3, -3, -3);
        } else if (qobject_cast<SymbolView *>(widget)) {
            needed = 3.0;
            what = widget->objectName().isEmpty() ? QStringLiteral("symbol") : widget->objectName();
        }
        if (needed == 0)
            continue;
        found.append({{what, paintedContrast(shot.copy(box))}, needed});
    }
    return found;
}

// Each screen in the light and in a dark palette, with what it shows filled in: every text at
// least 4.5:1 and every symbol at least 3:1 against what it is drawn on, as painted.
TEST(ContrastTest, EveryTextAndSymbolStandsOutInLightAndDark)
{
    const QPalette before = QApplication::palette();
    const struct {
        const char *name;
        QPalette palette;
    } schemes[] = {{"light", QApplication::style()->standardPalette()}, {"dark", breezeDark()}};
    for (const auto &scheme : schemes) {
        SCOPED_TRACE(scheme.name);
        ScreenHarness harness;
        const QString list = QStringLiteral("3.15作业");
        harness.store.ensureList(list);
        harness.store.addTask(QStringLiteral("语文｜背诵"),
                              QDateTime(QDate::currentDate(), QTime(23, 59)), list);
        harness.store.addTask(QStringLiteral("数学｜P12"),
                              QDateTime(QDate::currentDate().addDays(-1), QTime(12, 0)), list);
        HistoryRecord record;
        record.listName = list;
        record.items = {QStringLiteral("语文｜背诵")};
        record.written = 1;
        harness.history.add(record);

        MainWindow window(harness.shared());
        QApplication::setPalette(scheme.palette);
        window.resize(1100, 760);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Qt hands the palette on to the widgets in a later turn of the event loop.
        ASSERT_TRUE(waitUntil(
            [&] {
                return window.palette().color(QPalette::Window) ==
                    QApplication::palette().color(QPalette::Window);
            },
            5000));
        for (AppSection section : AppSections::all()) {
            window.rootView()->setSection(section);
            const QString name = AppSections::rawValue(section);
            SCOPED_TRACE(name.toStdString());
            if (section == AppSection::Importer) {
                // An empty row shows its placeholders; a filled one its texts.
                const ImportScreenDriver s(window.rootView()->importView());
                s.addRow(QStringLiteral("英语"), QStringLiteral("听写 Module 4"));
                s.click("addEntryButton");
            }
            QTest::qWait(50);
            qreal textMin = 21, symbolMin = 21;
            for (const auto &[seen, needed] : measure(&window)) {
                EXPECT_GE(seen.contrast, needed) << seen.what.toStdString();
                qreal &least = needed > 4 ? textMin : symbolMin;
                least = qMin(least, seen.contrast);
            }
            std::cout << scheme.name << ' ' << name.toStdString() << ": text " << textMin
                      << ":1, symbols " << symbolMin << ":1\n";
        }
        QApplication::setPalette(before);
    }
}

} // namespace
