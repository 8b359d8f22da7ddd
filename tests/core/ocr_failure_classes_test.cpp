#include "core/ocr/OCR.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/CtcDecoder.h"
#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/EdgePadding.h"
#include "core/ocr/ppocr/LanguagePrior.h"
#include "core/ocr/ppocr/LookAlikes.h"
#include "core/ocr/ppocr/Ruling.h"
#include "core/ocr/ppocr/SpaceRestorer.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <QImage>
#include <opencv2/imgproc.hpp>

#include <ostream>
#include <utility>
#include <vector>

// The kinds of image that recognition used to get wrong, one group per kind. The ocr-*.png
// images of tests/data were rendered for these tests with Noto Sans CJK SC and Noto Serif CJK
// SC (proportional Latin letters and digits); each failed before its repair.

// Readable failure messages for the texts compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

QStringList read(const char *image)
{
    return OCR::recognize(TestPaths::data(QLatin1String(image)), {});
}

// A strip as the network sees it: each glyph a block of ink `width` pixels wide centred on the
// time step it was read at (8 pixels a step), on light paper.
struct BlockStrip {
    DecodedLine line;
    QImage image;

    explicit BlockStrip(const std::vector<std::tuple<QString, int, int>> &glyphs)
    {
        const int steps = std::get<1>(glyphs.back()) + 6;
        image = QImage(steps * 8, 48, QImage::Format_Grayscale8);
        image.fill(235);
        line.spaceProbability.assign(size_t(steps), 0.0f);
        for (const auto &[text, step, width] : glyphs) {
            line.characters.push_back({text, step, step, 1.0f, {}, 0.0f, {}});
            const int centre = step * 8 + 4;
            for (int y = 10; y < 38; ++y) {
                for (int x = centre - width / 2; x < centre + (width + 1) / 2; ++x)
                    image.scanLine(y)[x] = 30;
            }
        }
    }

    // Dots of noise, two pixels square, every six pixels across the columns [from, to): what a dim
    // photo leaves between words.
    BlockStrip &speckled(int from, int to)
    {
        for (int x = from; x + 1 < to; x += 6) {
            for (int y = 14 + x % 18; y < 16 + x % 18; ++y)
                image.scanLine(y)[x] = image.scanLine(y)[x + 1] = 30;
        }
        return *this;
    }

    QString restored() const { return SpaceRestorer::restore(line, image, 8.0); }
};

DecodedCharacter character(const QString &text, const QString &runnerUp = {},
                           float runnerUpProbability = 0.0f)
{
    return {text, 0, 0, 0.9f, runnerUp, runnerUpProbability, {}};
}

QString textOf(const DecodedLine &line)
{
    QString text;
    for (const DecodedCharacter &c : line.characters)
        text += c.text;
    return text;
}

} // namespace

// 1. Spaces: a gap is judged between character cells (the em of Han characters, the common
// advance of digits, the advance of Latin letters), against the line's spacing and the em, and
// between two digits against the spacing of the line's other digits.
TEST(OcrSpaces, GapsAreJudgedAgainstCharacterSizes)
{
    EXPECT_EQ(read("ocr-unit-7.png"), QStringList({"英语：Unit 7 Part A"}));
    EXPECT_EQ(read("ocr-page-15.png"), QStringList({"读课外书15分钟"}));
    EXPECT_EQ(read("ocr-latin-strip.png"), QStringList({"Please read the following carefully."}));
    // Small print: the space between two numbers is narrower than the Han characters' spacing.
    EXPECT_EQ(read("ocr-number-gaps.png"),
              QStringList({"数学：p88 1-4题", "课本p8 2-3题；练习册p15 3题", "① 课本p21 2题",
                           "地理：课本p72 1-2题", "1. 信息：课本p98 5-9题"}));

    const struct {
        const char *name;
        BlockStrip strip;
        QString expected;
    } rows[] = {
        // Han characters 40 px wide, five steps apart, leave no gap; a narrow 习 (18 px) leaves
        // 11 px of its own cell on either side, which is not a word space.
        {"narrow Han character",
         BlockStrip({{"练", 2, 40}, {"习", 7, 18}, {"册", 12, 40}, {"第", 17, 40}, {"三", 22, 40}}),
         "练习册第三"},
        {"the same room beside a wide character",
         BlockStrip({{"练", 2, 40}, {"习", 7, 40}, {"册", 14, 18}, {"第", 19, 40}, {"三", 24, 40}}),
         "练习 册第三"},
        {"a narrow 1 in a digit cell as wide as the 5 beside it",
         BlockStrip({{"读", 2, 40},
                     {"书", 7, 40},
                     {"1", 11, 5},
                     {"5", 14, 20},
                     {"分", 19, 40},
                     {"钟", 24, 40}}),
         "读书15分钟"},
        // Han characters 12 px apart, digits of a number 4 px apart: 20 px between two numbers
        // is narrow for the line, wide for digits.
        {"two numbers",
         BlockStrip({{"课", 2, 36},
                     {"本", 8, 36},
                     {"第", 14, 36},
                     {"8", 18, 20},
                     {"8", 21, 20},
                     {"2", 26, 20},
                     {"3", 29, 20},
                     {"题", 34, 36}}),
         "课本第88 23题"},
        // 12 px between the only two Han characters: a third of an em, which a line of few Han
        // characters (a heading) does not show to be wider than their own spacing.
        {"a lone pair of Han characters",
         BlockStrip({{"2", 2, 20},
                     {"0", 5, 20},
                     {"1", 8, 20},
                     {"2", 11, 20},
                     {"作", 15, 36},
                     {"业", 21, 36}}),
         "2012作业"},
        // Latin letters 24 px apart: straight stems (l, i) leave 12 px between them, round
        // letters 4 to 8; a word space adds 30. The stems' room is no space.
        {"narrow letters of a proportional font",
         BlockStrip({{"l", 2, 12},
                     {"i", 5, 12},
                     {"t", 8, 20},
                     {"t", 11, 20},
                     {"l", 14, 12},
                     {"e", 17, 24},
                     {"l", 23, 12},
                     {"i", 26, 12},
                     {"t", 29, 20}}),
         "little lit"},
        // Specks of noise in a 36 px gap are not ink of a letter.
        {"noise between words",
         BlockStrip({{"历", 2, 36}, {"史", 7, 36}, {"整", 16, 36}, {"理", 21, 36}, {"错", 26, 36}})
             .speckled(84, 108),
         "历史 整理错"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.strip.restored(), row.expected) << row.name;
}

// 2. Repeated narrow characters: two thin 1s that fall into neighbouring time steps merge or
// vanish; the unsure line is read again stretched.
TEST(OcrRepeatedStrokes, ElevenInCondensedTypeKeepsBothOnes)
{
    EXPECT_EQ(read("ocr-eleven.png"), QStringList({"5月11日第11课"}));

    // What triggers the second reading: a step where even the best class is unsure.
    const std::vector<QString> alphabet{QStringLiteral("1"), QStringLiteral(" ")};
    const float steps[] = {0.1f, 0.9f, 0.0f, 0.55f, 0.45f, 0.0f, 0.95f, 0.05f, 0.0f};
    const DecodedLine line = CtcDecoder::decode(steps, 3, 3, alphabet);
    EXPECT_EQ(textOf(line), "1");
    EXPECT_FLOAT_EQ(line.weakestStep, 0.55f);
    EXPECT_FLOAT_EQ(line.weakestProbability(), 0.9f);
}

// 3. Look-alike punctuation, digits and case, settled by the runner-up and the homework context.
TEST(OcrLookAlikes, ColonsBetweenTasksAndTextbookWords)
{
    // The runner-up is the best other reading: not the blank, not the same mark in the other
    // width. Classes: blank, ：, :, ；.
    const std::vector<QString> marks{"：", ":", "；"};
    const float step[] = {0.3f, 0.55f, 0.1f, 0.05f};
    const DecodedLine decoded = CtcDecoder::decode(step, 1, 4, marks);
    ASSERT_EQ(decoded.characters.size(), 1u);
    EXPECT_EQ(decoded.characters[0].secondChoice, "；");
    EXPECT_FLOAT_EQ(decoded.characters[0].secondProbability, 0.05f);

    // Every colon of the text read with "；" as runner-up at the given probability.
    const struct {
        const char *text;
        float runnerUp;
        const char *expected;
    } colons[] = {
        {"数学：p12", 0.45f, "数学：p12"},                                 // the subject's colon
        {"语文：p20：复习第3课", 0.03f, "语文：p20；复习第3课"},           // a task follows
        {"语文：p20：背诵：英语：p5", 0.03f, "语文：p20；背诵；英语：p5"}, // a subject's
        {"数学：p12：p13", 0.03f, "数学：p12；p13"},                       // a page reference
        {"数学：p12：书写工整", 0.03f, "数学：p12：书写工整"},             // other words need...
        {"数学：p12：书写工整", 0.3f, "数学：p12；书写工整"},              // ...a close call
        {"背诵第3课：预习第4课", 0.03f, "背诵第3课；预习第4课"},           // a task before it
        {"数学：p12：", 0.45f, "数学：p12："},                  // introduces what follows
        {"数学：8:30前交：背诵", 0.5f, "数学：8:30前交；背诵"}, // ASCII colons stay
    };
    for (const auto &row : colons) {
        DecodedLine line;
        for (const QString &c : QString::fromUtf8(row.text).split(QString(), Qt::SkipEmptyParts))
            line.characters.push_back(c == "：" || c == ":" ? character(c, "；", row.runnerUp)
                                                            : character(c));
        LookAlikes::preferSemicolons(line);
        EXPECT_EQ(textOf(line), row.expected) << row.text;
    }

    // The capital is put back where the word opens a task or the network doubted its first
    // letter; a word read surely inside a task keeps its case. Confidence is that of every
    // character.
    const struct {
        const char *text;
        float confidence;
        const char *expected;
    } words[] = {
        {"英语：读page 3的课文", 1.0f, "英语：读page 3的课文"},
        {"英语：读page 3的课文", 0.93f, "英语：读Page 3的课文"},
        {"默写module4 短语", 1.0f, "默写module 4 短语"},
        {"默写module4 短语", 0.93f, "默写Module 4 短语"},
        {"英语：unit 4 Section B", 1.0f, "英语：Unit 4 Section B"},
        {"1.lesson 12", 1.0f, "1.Lesson 12"},
        {"LESSON12 page 3", 1.0f, "Lesson 12 page 3"},
        {"背诵LeSSon 16", 1.0f, "背诵Lesson 16"},
        {"Unit 2Section A；PartB", 1.0f, "Unit 2 Section A；Part B"},
        {"Units 3", 0.5f, "Units 3"},
        {"party 2", 0.5f, "party 2"},
        {"a unit", 0.5f, "a unit"},
        {"unit a", 0.5f, "unit a"},
        {"Part AB", 0.5f, "Part AB"},
        {"unit4th", 0.5f, "unit4th"},
        {"sunit 3", 0.5f, "sunit 3"},
    };
    for (const auto &row : words) {
        const QString text = QString::fromUtf8(row.text);
        EXPECT_EQ(LookAlikes::repairTextbookWords(
                      ScoredText(text, QList<float>(text.size(), row.confidence))),
                  row.expected)
            << row.text << " at " << row.confidence;
    }

    // A digit doubted against a letter is settled; one doubted against a digit, or read
    // faintly, stays a place to check.
    const struct {
        const char *runnerUp;
        float probability;
        bool settled;
    } digits[] = {{"l", 0.6f, true}, {"7", 0.6f, false}, {"l", 0.4f, false}};
    for (const auto &row : digits) {
        DecodedLine line;
        line.characters = {character("p"), character("1", row.runnerUp, 0.3f)};
        line.characters[1].probability = row.probability;
        LookAlikes::settleDigits(line);
        EXPECT_EQ(line.characters[1].probability >= doubtfulConfidence, row.settled)
            << row.runnerUp << " at " << row.probability;
    }

    EXPECT_EQ(DigitConfusions::repairPageReferences("课本pll 9-14题"), "课本p11 9-14题");
    EXPECT_EQ(DigitConfusions::repairPageReferences("pIl页"), "p11页");
    for (const char *unchanged : {"pl", "apll 3", "plla", "pollen"})
        EXPECT_EQ(DigitConfusions::repairPageReferences(unchanged), unchanged);
}

// 4 and 7. Text touching the edge: tight crops and one-line strips get a border of their
// background before detection, so the first and last letters and a closing full stop survive.
TEST(OcrEdges, TightCropsAndStripsAreReadWhole)
{
    EXPECT_EQ(read("ocr-tight-crop.png"), QStringList({"数学：练习册p12"}));
    EXPECT_EQ(read("ocr-full-stop.png"), QStringList({"follows the rules."}));
    // Bullets a small gap before their lines, which the detected boxes leave out or cut.
    EXPECT_EQ(read("ocr-bullets.png"),
              QStringList({"·读课外书20分钟", "英语", "·练习册p81", "化学"}));

    // Well-framed images keep their size; strips and ink crossing the edge get the border.
    cv::Mat framed(600, 800, CV_8UC3, cv::Scalar(250, 250, 250));
    framed(cv::Rect(100, 100, 300, 40)).setTo(cv::Scalar(20, 20, 20));
    EXPECT_EQ(EdgePadding::marginFor(framed), 0);
    EXPECT_GT(EdgePadding::marginFor(cv::Mat(40, 400, CV_8UC3, cv::Scalar(250, 250, 250))), 0);
    cv::Mat cut = framed.clone();
    cut(cv::Rect(0, 300, 60, 30)).setTo(cv::Scalar(20, 20, 20));
    const int margin = EdgePadding::marginFor(cut);
    ASSERT_GT(margin, 0);
    const cv::Mat padded = EdgePadding::padded(cut, margin);
    EXPECT_EQ(padded.size(), cv::Size(800 + 2 * margin, 600 + 2 * margin));
    EXPECT_EQ(padded.at<cv::Vec3b>(0, 0), cv::Vec3b(250, 250, 250));
    // A large photo is never padded: its detection input is shrunk anyway.
    EXPECT_EQ(EdgePadding::marginFor(cv::Mat(2000, 3000, CV_8UC3, cv::Scalar(0, 0, 0))), 0);
}

// 5. Transparency is laid on a background that contrasts with what is drawn.
TEST(OcrTransparency, WhiteTextOnTransparencyIsReadOverBlack)
{
    EXPECT_EQ(read("ocr-white-on-transparent.png"), QStringList({"语文：背诵第3课"}));

    QImage light(4, 1, QImage::Format_ARGB32);
    light.fill(Qt::transparent);
    light.setPixelColor(0, 0, QColor(255, 255, 255, 255));
    EXPECT_EQ(RgbImage(light).pixels().at<cv::Vec3b>(0, 1), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(RgbImage(light).pixels().at<cv::Vec3b>(0, 0), cv::Vec3b(255, 255, 255));
    QImage dark(4, 1, QImage::Format_ARGB32);
    dark.fill(QColor(0, 0, 0, 0));
    dark.setPixelColor(0, 0, QColor(10, 10, 10, 255));
    EXPECT_EQ(RgbImage(dark).pixels().at<cv::Vec3b>(0, 1), cv::Vec3b(255, 255, 255));
}

// 6. Slanted text: a line turned by 36 degrees is cut out along its box and read upright. Where
// the first reading finds nothing, or lines too thick for the detection network, the image is
// read again turned by the lines' slant, enlarged, or framed in a border.
TEST(OcrSlant, LinesAtAnySlantOrSizeAreRead)
{
    const struct {
        const char *image;
        const char *expected;
    } rows[] = {
        {"ocr-slanted-36.png", "英语：背诵Unit 3单词"},
        {"ocr-steep-slant.png", "语文"}, // turned: found at 60 degrees, read as nothing
        {"ocr-small-slant.png", "背诵"}, // enlarged: 16 px at 36 degrees, not found
        {"ocr-large-crop.png", "数学"},  // framed: characters 400 px tall
    };
    for (const auto &row : rows)
        EXPECT_EQ(read(row.image), QStringList({row.expected})) << row.image;
}

// 8. Grid paper: the grid's lines are painted over before detection and cut out of the lines
// read, columns of cells are cut at the rows, and cells of one row join without spaces.
TEST(OcrGridPaper, AGridPageReadsLikePlainPaper)
{
    const QStringList lines = read("ocr-grid-page.png");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "今日作业");
    EXPECT_EQ(lines[1], "语文");
    EXPECT_TRUE(lines[2].endsWith("背诵第3课")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "数学");
    EXPECT_TRUE(lines[4].endsWith("练习册p12")) << lines[4].toStdString();
    EXPECT_TRUE(lines[5].endsWith("复习第七单元")) << lines[5].toStdString();

    // What counts as a grid: thin lines both ways, many of them. Ink is 40 on paper of 240.
    auto page = [] { return cv::Mat(480, 640, CV_8UC3, cv::Scalar(240, 240, 240)); };
    auto rule = [](cv::Mat &image, bool across, bool down) {
        for (int at = 20; at < 460; at += 48) {
            if (across)
                cv::line(image, {10, at}, {630, at}, cv::Scalar(40, 40, 40), 1);
            if (down)
                cv::line(image, {at, 10}, {at, 470}, cv::Scalar(40, 40, 40), 1);
        }
    };
    cv::Mat grid = page();
    rule(grid, true, true);
    // A stroke of writing crossing a grid line, and the long stroke of a large 一.
    cv::line(grid, {30, 50}, {30, 100}, cv::Scalar(40, 40, 40), 3);
    cv::line(grid, {100, 310}, {400, 310}, cv::Scalar(40, 40, 40), 24);
    cv::Mat lined = page();
    rule(lined, true, false);
    const cv::Mat linedBefore = lined.clone();

    ASSERT_TRUE(Ruling::erase(grid));
    EXPECT_GT(grid.at<cv::Vec3b>(68, 300)[0], 200) << "a grid line stays";
    EXPECT_GT(grid.at<cv::Vec3b>(300, 68)[0], 200) << "a grid column stays";
    EXPECT_LT(grid.at<cv::Vec3b>(68, 30)[0], 100) << "a stroke loses its ink where it crosses";
    EXPECT_LT(grid.at<cv::Vec3b>(310, 250)[0], 100) << "a long thick stroke is taken for a line";
    EXPECT_FALSE(Ruling::erase(lined)) << "lined paper is read as it is";
    EXPECT_EQ(cv::norm(lined, linedBefore, cv::NORM_INF), 0.0);
}

// 9. Look-alike Han characters: where the network was unsure, the reading that forms words
// with its neighbours wins; a sure reading, or one without neighbours, stays.
TEST(OcrLanguagePrior, UnsureCharactersFollowTheWordsAroundThem)
{
    const struct {
        const char *name;
        const char *text;
        int unsure; // index of the unsure character
        float probability;
        const char *alternative;
        float alternativeProbability;
        const char *expected;
    } rows[] = {
        {"the subject's second character", "历男", 1, 0.6f, "史", 0.3f, "历史"},
        {"a homework verb", "背通第3课", 1, 0.7f, "诵", 0.2f, "背诵第3课"},
        {"a word of its own stays", "男生", 0, 0.6f, "史", 0.3f, "男生"},
        {"a sure character stays", "历男", 1, 0.95f, "史", 0.04f, "历男"},
        {"a faint reading is no candidate", "历男", 1, 0.6f, "史", 0.01f, "历男"},
        {"no neighbours, no choice", "男", 0, 0.6f, "史", 0.3f, "男"},
        {"digits are not chosen", "第q课", 1, 0.6f, "9", 0.3f, "第q课"},
    };
    for (const auto &row : rows) {
        DecodedLine line;
        for (const QString &c : QString::fromUtf8(row.text).split(QString(), Qt::SkipEmptyParts))
            line.characters.push_back(character(c));
        DecodedCharacter &unsure = line.characters[size_t(row.unsure)];
        unsure.probability = row.probability;
        unsure.alternatives = {{QString::fromUtf8(row.alternative), row.alternativeProbability}};
        const int changed = LanguagePrior::choose(line);
        EXPECT_EQ(textOf(line), row.expected) << row.name;
        EXPECT_EQ(changed, textOf(line) == QString::fromUtf8(row.text) ? 0 : 1) << row.name;
    }
    EXPECT_EQ(LanguagePrior::pairStrength(u'男', u'史'), 0);
    EXPECT_GT(LanguagePrior::pairStrength(u'历', u'史'), LanguagePrior::pairStrength(u'背', u'诵'));
}
