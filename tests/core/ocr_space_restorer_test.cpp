#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/SpaceRestorer.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for the texts compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

constexpr int stripHeight = 48;

struct Glyph {
    QString text;
    // The time step the network read it at; its ink is centred there.
    int step;
    float spaceProbabilityBefore = 0.0f;
};

// A strip as the network sees it: every character a solid block of ink `glyphWidth` pixels wide
// centred on its time step, on light paper, optionally with a ruled line across the whole width.
struct Strip {
    DecodedLine line;
    QImage image;
    double pixelsPerStep;

    explicit Strip(const std::vector<Glyph> &glyphs, bool ruled = false, int glyphWidth = 26,
                   double stepWidth = 8.0)
        : pixelsPerStep(stepWidth)
    {
        // Room for the first glyph's ink left of its centre and the last one's right of it.
        const int leadingSteps = glyphWidth / int(pixelsPerStep) / 2 + 1;
        const int steps = leadingSteps + glyphs.back().step + glyphWidth / int(pixelsPerStep);
        image = QImage(int(steps * pixelsPerStep), stripHeight, QImage::Format_Grayscale8);
        image.fill(235);
        line.spaceProbability.assign(size_t(steps), 0.0f);
        for (const Glyph &glyph : glyphs) {
            const int step = leadingSteps + glyph.step;
            line.characters.push_back({glyph.text, step, step, 1.0f, {}, 0.0f, {}});
            if (glyph.spaceProbabilityBefore > 0)
                line.spaceProbability[size_t(step - 1)] = glyph.spaceProbabilityBefore;
            if (glyph.text == " ")
                continue;
            const int centre = int((step + 0.5) * pixelsPerStep);
            for (int y = 12; y < 36; ++y) {
                for (int x = centre - glyphWidth / 2; x < centre + glyphWidth / 2; ++x)
                    image.scanLine(y)[x] = 30;
            }
        }
        if (ruled) {
            for (int x = 0; x < image.width(); ++x)
                image.scanLine(44)[x] = 20;
        }
    }

    QString restored() const { return SpaceRestorer::restore(line, image, pixelsPerStep); }
};

} // namespace

TEST(SpaceRestorer, WideInkGapsBecomeSpacesWhereASpaceCanStand)
{
    // Glyphs four steps apart leave 6 px of paper between them; seven steps leave 30 px.
    const std::vector<Glyph> glyphs = {{"数", 0}, {"学", 4},  {"：", 8}, {"p", 15}, {"1", 19},
                                       {"2", 23}, {"第", 30}, {"3", 34}, {"题", 38}};
    EXPECT_EQ(Strip(glyphs).restored(), "数学：p12 第3题");
    // A ruled line under the letters joins every column, but it is not ink of the letters.
    EXPECT_EQ(Strip(glyphs, true).restored(), "数学：p12 第3题");

    // The same wide gaps before closing marks and after opening ones stay empty.
    EXPECT_EQ(Strip({{"a", 0}, {"b", 4}, {".", 11}, {"(", 15}, {"c", 22}, {"d", 26}}).restored(),
              "ab.(cd");
    EXPECT_EQ(Strip({{"a", 0}, {"b", 4}, {"%", 11}, {"c", 15}, {")", 22}}).restored(), "ab%c)");
}

TEST(SpaceRestorer, ANarrowerGapNeedsTheNetworksOwnHint)
{
    // Glyphs 36 px wide, ten steps of 4 px apart, leave 4 px between them; eleven steps apart,
    // 8 px: twice the line's gaps, but under the 10 px (0.28 em) a gap alone needs.
    const std::vector<Glyph> unhinted = {{"U", 0},  {"n", 10},  {"i", 20}, {"t", 30},
                                         {"2", 41}, {"单", 51}, {"词", 61}};
    EXPECT_EQ(Strip(unhinted, false, 36, 4.0).restored(), "Unit2单词");

    std::vector<Glyph> hinted = unhinted;
    hinted[4].spaceProbabilityBefore = 0.2f;
    EXPECT_EQ(Strip(hinted, false, 36, 4.0).restored(), "Unit 2单词");

    // The hint alone, where the letters stand close, adds nothing.
    std::vector<Glyph> close = {{"U", 0}, {"n", 10}, {"i", 20}, {"t", 30}, {"2", 40}};
    close[4].spaceProbabilityBefore = 0.2f;
    EXPECT_EQ(Strip(close, false, 36, 4.0).restored(), "Unit2");
}

TEST(SpaceRestorer, KeepsTheNetworksOwnSpacesAndSingleCharacters)
{
    EXPECT_EQ(Strip({{"a", 0}, {" ", 4}, {"b", 8}}).restored(), "a b");
    EXPECT_EQ(Strip({{"题", 0}}).restored(), "题");
    EXPECT_EQ(SpaceRestorer::restore(DecodedLine{}, QImage(), 8.0), "");
}

TEST(DigitConfusions, LettersInsidePageReferencesAreDigits)
{
    EXPECT_EQ(DigitConfusions::repairPageReferences("数学：练习册pl8"), "数学：练习册p18");
    EXPECT_EQ(DigitConfusions::repairPageReferences("P2O-2l 第l题"), "P20-21 第l题");
    EXPECT_EQ(DigitConfusions::repairPageReferences("pI2; p1O"), "p12; p10");
    // Words and references without a real digit stay as read.
    for (const char *unchanged : {"plan", "up1", "Unit l", "pl", "pool", "p12 第3题", "help1"})
        EXPECT_EQ(DigitConfusions::repairPageReferences(unchanged), unchanged);
}
