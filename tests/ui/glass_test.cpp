#include "ui/glass/AppBackdrop.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/SectionTitle.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/WindowConfigurator.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/shell/AppSection.h"
#include "ui/shell/SidebarEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(38, 38, 42));
    palette.setColor(QPalette::WindowText, QColor(236, 236, 240));
    return palette;
}

QImage render(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(GlassPanelTest, TintAndInteractionShowOnTheGlass)
{
    QWidget background;
    background.setPalette(darkPalette());
    background.setAutoFillBackground(true);
    background.resize(300, 100);
    auto *plain = new GlassPanel(14, std::nullopt, false, &background);
    auto *tinted = new GlassPanel(14, QColor(255, 0, 0), true, &background);
    plain->setGeometry(0, 0, 140, 100);
    tinted->setGeometry(150, 0, 140, 100);
    background.show();

    const QImage before = render(background);
    const QColor plainCentre = before.pixelColor(70, 50);
    const QColor tintedCentre = before.pixelColor(220, 50);
    EXPECT_GT(tintedCentre.red() - tintedCentre.green(), 20);
    EXPECT_LT(std::abs(plainCentre.red() - plainCentre.green()), 6);

    // Interactive glass brightens under the pointer; plain glass does not react.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(tinted, &enter);
    QEnterEvent enterPlain(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(plain, &enterPlain);
    const QImage hovered = render(background);
    EXPECT_GT(hovered.pixelColor(220, 50).lightness(), tintedCentre.lightness());
    EXPECT_EQ(hovered.pixelColor(70, 50), plainCentre);
}

// A dark scheme whose highlight is dark too, and a light scheme with a pale yellow highlight: in
// both the raw highlight would vanish as a foreground.
QList<QPalette> hardPalettes()
{
    QPalette dark = darkPalette();
    dark.setColor(QPalette::Highlight, QColor(28, 48, 110));
    QPalette light;
    light.setColor(QPalette::Window, QColor(246, 246, 246));
    light.setColor(QPalette::WindowText, QColor(20, 20, 20));
    light.setColor(QPalette::Highlight, QColor(255, 214, 10));
    return {dark, light};
}

// The body reads at the desktop font's size, so labels and the desktop's own fields match.
TEST(GlassFontsTest, TheBodyFollowsTheDesktopFont)
{
    const QFont saved = QGuiApplication::font();
    QFont desktop = saved;
    desktop.setPointSizeF(12);
    QGuiApplication::setFont(desktop);
    EXPECT_DOUBLE_EQ(GlassFonts::font(GlassFonts::Style::Body).pointSizeF(), 12);
    QGuiApplication::setFont(saved);
}

TEST(GlassPaletteTest, ForegroundAccentsKeepWcagContrastOnEverySurface)
{
    for (const QPalette &palette : hardPalettes()) {
        const QColor raw = GlassPalette::accent(palette);
        for (const QColor &surface :
             {GlassPalette::backdropColor(palette), GlassPalette::panelColor(palette)}) {
            EXPECT_LT(GlassPalette::contrastRatio(raw, surface), 3.0);
            EXPECT_GE(GlassPalette::contrastRatio(GlassPalette::accentSymbol(palette), surface),
                      3.0);
            EXPECT_GE(GlassPalette::contrastRatio(GlassPalette::accentText(palette), surface), 4.5);
            EXPECT_GE(GlassPalette::contrastRatio(GlassPalette::overdue(palette), surface), 4.5);
            EXPECT_GE(GlassPalette::contrastRatio(GlassPalette::dueToday(palette), surface), 4.5);
        }
        // Still the desktop's hue, only lighter or darker.
        EXPECT_NEAR(GlassPalette::accentSymbol(palette).hsvHue(), raw.hsvHue(), 12);
    }
    // A highlight that already stands out is kept as it is.
    QPalette plain = darkPalette();
    plain.setColor(QPalette::Highlight, QColor(120, 180, 255));
    EXPECT_EQ(GlassPalette::accentSymbol(plain), QColor(120, 180, 255));
}

TEST(GlassPaletteTest, AccentIconsOfTheScreensReachThreeToOneOnADarkHighlight)
{
    const QPalette dark = hardPalettes().first();
    const QColor panel = GlassPalette::panelColor(dark);
    const QColor backdrop = GlassPalette::backdropColor(dark);

    // The selected sidebar entry sits on the backdrop.
    SidebarEntry entry(AppSection::Lists);
    entry.setPalette(dark);
    entry.setSelected(true);
    EXPECT_GE(GlassPalette::contrastRatio(entry.symbolColor(), backdrop), 3.0);

    // Card titles (settings), the About screen's features and the lists' add bar: symbols on glass.
    QWidget page;
    page.setPalette(dark);
    auto *title = new SectionTitle(QStringLiteral("preferences-system-symbolic"),
                                   QStringLiteral("设置"), std::nullopt, &page);
    auto *symbol =
        new SymbolView(QStringLiteral("list-add-symbolic"), 17, GlassPalette::Tone::Accent, &page);
    for (const SymbolView *view :
         QList<const SymbolView *>{title->findChild<SymbolView *>(), symbol}) {
        ASSERT_NE(view, nullptr);
        EXPECT_GE(GlassPalette::contrastRatio(view->currentColor(), panel), 3.0);
        EXPECT_GE(GlassPalette::contrastRatio(view->currentColor(), backdrop), 3.0);
    }
}

TEST(AppBackdropTest, IsOpaqueWithoutACompositorAndItsGlowsScaleWithTheWindow)
{
    auto shoot = [](QSize size) {
        AppBackdrop backdrop;
        backdrop.setPalette(darkPalette());
        WindowConfigurator::configure(&backdrop);
        EXPECT_EQ(WindowConfigurator::baseOf(&backdrop), WindowConfigurator::Base::Opaque);
        backdrop.resize(size);
        return render(backdrop);
    };
    const QImage small = shoot(QSize(400, 300));
    const QImage large = shoot(QSize(800, 600));

    for (int y = 0; y < small.height(); y += 7) {
        for (int x = 0; x < small.width(); x += 7)
            ASSERT_EQ(qAlpha(small.pixel(x, y)), 255);
    }
    // The same fractions of the window look the same at both sizes.
    for (QPointF at :
         {QPointF(0.72, 0.18), QPointF(0.05, 0.05), QPointF(0.95, 0.95), QPointF(0.5, 0.5)}) {
        const QColor a = small.pixelColor(int(at.x() * 400), int(at.y() * 300));
        const QColor b = large.pixelColor(int(at.x() * 800), int(at.y() * 600));
        EXPECT_NEAR(a.red(), b.red(), 3);
        EXPECT_NEAR(a.green(), b.green(), 3);
        EXPECT_NEAR(a.blue(), b.blue(), 3);
    }
    // The glows brighten the dark base: the top-leading corner is bluer than the centre.
    const QColor corner = large.pixelColor(2, 2);
    const QColor centre = large.pixelColor(400, 300);
    EXPECT_GT(corner.blue(), centre.blue() + 20);
}

TEST(SymbolIconTest, EverySymbolShowsOnADesktopWithoutAnIconTheme)
{
    // Every bundled drawing, and every section's symbol.
    QStringList symbols = QDir(QStringLiteral(":/symbols/symbolic")).entryList();
    symbols.replaceInStrings(QStringLiteral(".svg"), QString());
    ASSERT_GE(symbols.size(), 20);
    for (AppSection section : AppSections::all())
        symbols.append(AppSections::symbolName(section));
    for (const QString &symbol : symbols) {
        EXPECT_TRUE(SymbolIcon::isBundled(symbol)) << symbol.toStdString();
        const QImage image = SymbolIcon::pixmap(symbol, 20, QColor(200, 30, 30)).toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel.alpha() >= 100)
                    ++inked;
                if (pixel.alpha() < 200)
                    continue;
                // Premultiplied edges round by a step or two.
                EXPECT_NEAR(pixel.red(), 200, 3) << symbol.toStdString();
                EXPECT_NEAR(pixel.green(), 30, 3) << symbol.toStdString();
                EXPECT_NEAR(pixel.blue(), 30, 3) << symbol.toStdString();
            }
        }
        EXPECT_GT(inked, 12) << symbol.toStdString();
    }
}

} // namespace
