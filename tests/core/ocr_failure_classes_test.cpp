#include "core/ocr/OCR.h"
#include "core/ocr/image/RgbImage.h"
#include "core/ocr/ppocr/CtcDecoder.h"
#include "core/ocr/ppocr/DigitConfusions.h"
#include "core/ocr/ppocr/EdgePadding.h"
#include "core/ocr/ppocr/LookAlikes.h"
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
            line.characters.push_back({text, step, step, 1.0f, {}, 0.0f});
            const int centre = step * 8 + 4;
            for (int y = 10; y < 38; ++y) {
                for (int x = centre - width / 2; x < centre + (width + 1) / 2; ++x)
                    image.scanLine(y)[x] = 30;
            }
        }
    }

    QString restored() const { return SpaceRestorer::restore(line, image, 8.0); }
};

DecodedCharacter character(const QString &text, const QString &runnerUp = {},
                           float runnerUpProbability = 0.0f)
{
    return {text, 0, 0, 0.9f, runnerUp, runnerUpProbability};
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
// advance of digits, the advance of Latin letters), not only against the line's median gap.
TEST(OcrSpaces, GapsAreJudgedAgainstCharacterSizes)
{
    EXPECT_EQ(read("ocr-unit-7.png"), QStringList({"英语：Unit 7 Part A"}));
    EXPECT_EQ(read("ocr-page-15.png"), QStringList({"读课外书15分钟"}));
    EXPECT_EQ(read("ocr-latin-strip.png"), QStringList({"Please read the following carefully."}));

    // Han characters 40 px wide, five steps apart, leave no gap; a narrow 习 (18 px) leaves
    // 11 px of its own cell on either side, which is not a word space.
    EXPECT_EQ(
        BlockStrip({{"练", 2, 40}, {"习", 7, 18}, {"册", 12, 40}, {"第", 17, 40}, {"三", 22, 40}})
            .restored(),
        "练习册第三");
    // The same room beside a wide character is a space.
    EXPECT_EQ(
        BlockStrip({{"练", 2, 40}, {"习", 7, 40}, {"册", 14, 18}, {"第", 19, 40}, {"三", 24, 40}})
            .restored(),
        "练习 册第三");
    // A narrow 1 stands in a digit cell as wide as the 5 beside it.
    EXPECT_EQ(BlockStrip({{"读", 2, 40},
                          {"书", 7, 40},
                          {"1", 11, 5},
                          {"5", 14, 20},
                          {"分", 19, 40},
                          {"钟", 24, 40}})
                  .restored(),
              "读书15分钟");
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
    EXPECT_EQ(line.characters.front().secondChoice, QString());
}

// 3. Look-alike punctuation and case, settled by the runner-up and the homework context.
TEST(OcrLookAlikes, LateColonsTextbookWordsAndPageNumbers)
{
    DecodedLine line;
    for (const QString &c : QStringList({"语", "文", "：", "p", "2", "0"}))
        line.characters.push_back(character(c));
    line.characters.push_back(character("：", "；", 0.37f));
    for (const QString &c : QStringList({"复", "习", "：", "a"}))
        line.characters.push_back(character(c));
    line.characters.push_back(character("：", "；", 0.3f));
    LookAlikes::preferSemicolons(line);
    // The subject's colon and a colon the network was sure of stay; so does a closing one.
    EXPECT_EQ(textOf(line), "语文：p20；复习：a：");
    EXPECT_EQ(line.characters[6].secondChoice, "：");

    // Even a close call stays a colon right after a leading subject.
    DecodedLine subject;
    subject.characters = {character("数"), character("学"), character("：", "；", 0.45f),
                          character("p")};
    LookAlikes::preferSemicolons(subject);
    EXPECT_EQ(textOf(subject), "数学：p");

    EXPECT_EQ(LookAlikes::repairTextbookWords("英语：完成unit 4 Section B"),
              "英语：完成Unit 4 Section B");
    EXPECT_EQ(LookAlikes::repairTextbookWords("默写module4 短语"), "默写Module 4 短语");
    EXPECT_EQ(LookAlikes::repairTextbookWords("Unit 2Section A；PartB"),
              "Unit 2 Section A；Part B");
    EXPECT_EQ(LookAlikes::repairTextbookWords("LESSON12 page 3"), "Lesson 12 Page 3");
    for (const char *unchanged :
         {"Units 3", "party 2", "a unit", "unit a", "Part AB", "unit4th", "sunit 3"})
        EXPECT_EQ(LookAlikes::repairTextbookWords(unchanged), unchanged);

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

// 6. Slanted text: a line turned by 36 degrees is cut out along its box and read upright.
TEST(OcrSlant, LineTurned36DegreesIsRead)
{
    EXPECT_EQ(read("ocr-slanted-36.png"), QStringList({"英语：背诵Unit 3单词"}));
}
