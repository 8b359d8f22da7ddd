#include "core/ocr/ppocr/CtcDecoder.h"
#include "core/ocr/ppocr/DbBoxes.h"
#include "core/ocr/ppocr/LineCrop.h"
#include "core/ocr/ppocr/LinePieces.h"
#include "core/ocr/ppocr/StripTensor.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <opencv2/imgproc.hpp>

#include <ostream>

#include <utility>
#include <vector>

// The PP-OCR stages between the networks, on inputs made by hand: what the networks would give
// is written out, so each stage is checked without the models.

// Readable failure messages for the texts compared below.
static void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Network output for greedy decoding: one (class, probability) per time step; the other classes
// share what is left, so the named class is the best one.
std::vector<float> ctcOutput(const std::vector<std::pair<int, float>> &steps, int classes)
{
    std::vector<float> probabilities;
    for (const auto &[best, probability] : steps) {
        for (int c = 0; c < classes; ++c)
            probabilities.push_back(c == best ? probability
                                              : (1.0f - probability) / float(classes - 1));
    }
    return probabilities;
}

QStringList texts(const DecodedLine &line)
{
    QStringList result;
    for (const DecodedCharacter &character : line.characters)
        result.append(character.text);
    return result;
}

} // namespace

TEST(CtcDecoding, MergesRepeatsDropsBlanksAndKeepsStepsAndConfidence)
{
    // Class 0 is the blank, class c the alphabet's entry c - 1; the last one is the space.
    const std::vector<QString> alphabet{QStringLiteral("1"), QStringLiteral("页"),
                                        QStringLiteral(" ")};
    const int classes = 4;
    const std::vector<float> output = ctcOutput(
        {{1, 0.9f}, {1, 0.7f}, {0, 0.8f}, {1, 0.8f}, {3, 0.6f}, {2, 0.5f}, {2, 0.9f}, {0, 0.9f}},
        classes);
    const DecodedLine line = CtcDecoder::decode(output.data(), 8, classes, alphabet);

    // A repeat across consecutive steps is one character; a blank between two makes them two.
    EXPECT_EQ(texts(line), QStringList({"1", "1", " ", "页"}));
    ASSERT_EQ(line.characters.size(), 4u);
    EXPECT_EQ(std::pair(line.characters[0].firstStep, line.characters[0].lastStep),
              std::pair(0, 1));
    EXPECT_EQ(std::pair(line.characters[1].firstStep, line.characters[1].lastStep),
              std::pair(3, 3));
    EXPECT_EQ(std::pair(line.characters[3].firstStep, line.characters[3].lastStep),
              std::pair(5, 6));
    // The mean of each character's probability where it starts.
    EXPECT_FLOAT_EQ(line.confidence, (0.9f + 0.8f + 0.6f + 0.5f) / 4);
    // The space class at every step, chosen or not.
    ASSERT_EQ(line.spaceProbability.size(), 8u);
    EXPECT_FLOAT_EQ(line.spaceProbability[4], 0.6f);
    EXPECT_FLOAT_EQ(line.spaceProbability[0], 0.1f / 3);

    // A class the alphabet lacks (a dictionary shorter than the network) reads as a blank: it
    // neither writes anything nor joins the characters around it.
    const std::vector<QString> shortAlphabet{QStringLiteral("a")};
    const std::vector<float> beyond = ctcOutput({{1, 0.9f}, {2, 0.9f}, {1, 0.7f}}, 3);
    const DecodedLine split = CtcDecoder::decode(beyond.data(), 3, 3, shortAlphabet);
    EXPECT_EQ(texts(split), QStringList({"a", "a"}));
    EXPECT_FLOAT_EQ(split.confidence, 0.8f);

    // Only blanks: nothing read, confidence 0.
    const std::vector<float> blanks = ctcOutput({{0, 0.9f}, {0, 0.9f}}, classes);
    const DecodedLine empty = CtcDecoder::decode(blanks.data(), 2, classes, alphabet);
    EXPECT_TRUE(empty.characters.empty());
    EXPECT_EQ(empty.confidence, 0.0f);
}

TEST(DbBoxes, SyntheticMapGivesTheGrownBoxOfEachTextRegionAndDropsNoise)
{
    cv::Mat map = cv::Mat::zeros(64, 200, CV_32FC1);
    // A text kernel 80 x 16 pixels: pixel centres span 79 x 15 around (79.5, 27.5). Grown by
    // area * 1.5 / perimeter = 79 * 15 * 1.5 / (2 * 94) = 9.455 on every side.
    map(cv::Rect(40, 20, 80, 16)).setTo(0.9f);
    // Above the pixel threshold but too faint on average to be text.
    map(cv::Rect(140, 10, 40, 12)).setTo(0.4f);
    // Sure, but two pixels thin: a ruled line, not a text line.
    map(cv::Rect(140, 40, 50, 2)).setTo(0.95f);
    // Below the pixel threshold: background.
    map(cv::Rect(10, 45, 20, 10)).setTo(0.25f);
    // A line bent by the page's curve, 5 pixels thick, sagging 20 pixels: its rectangle is
    // mostly paper, its outline sure text.
    cv::Mat bent = cv::Mat::zeros(64, 200, CV_32FC1);
    cv::polylines(bent, std::vector<cv::Point>{{20, 30}, {100, 50}, {180, 30}}, false,
                  cv::Scalar(0.9), 5);
    EXPECT_EQ(DbBoxes::fromProbabilityMap(bent).size(), 1u);

    const std::vector<TextQuad> boxes = DbBoxes::fromProbabilityMap(map);
    ASSERT_EQ(boxes.size(), 1u);
    const double grow = 79.0 * 15.0 * 1.5 / (2.0 * (79.0 + 15.0));
    const double left = 40 - grow, right = 119 + grow, top = 20 - grow, bottom = 35 + grow;
    // Corners in reading order: top-left, top-right, bottom-right, bottom-left.
    const std::vector<std::pair<double, double>> expected{
        {left, top}, {right, top}, {right, bottom}, {left, bottom}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(boxes[0][i].x, expected[i].first, 0.01) << "corner " << i;
        EXPECT_NEAR(boxes[0][i].y, expected[i].second, 0.01) << "corner " << i;
    }
}

TEST(LineCrop, VerticalBoxBecomesAStripReadLeftToRightAndSmallBoxesNone)
{
    // White page; a vertical line box 20 wide and 80 tall whose top quarter is red.
    cv::Mat page(100, 120, CV_8UC3, cv::Scalar(255, 255, 255));
    page(cv::Rect(40, 10, 20, 20)).setTo(cv::Scalar(255, 0, 0));
    const TextQuad vertical{cv::Point2f(40, 10), cv::Point2f(60, 10), cv::Point2f(60, 90),
                            cv::Point2f(40, 90)};

    // Turned a quarter so that the top of the column comes first, on the left.
    const cv::Mat strip = LineCrop::upright(page, vertical);
    ASSERT_EQ(strip.size(), cv::Size(80, 20));
    EXPECT_EQ(strip.at<cv::Vec3b>(10, 5), cv::Vec3b(255, 0, 0));
    EXPECT_EQ(strip.at<cv::Vec3b>(10, 74), cv::Vec3b(255, 255, 255));

    // A box about as tall as wide stays as it is.
    const TextQuad square{cv::Point2f(40, 10), cv::Point2f(80, 10), cv::Point2f(80, 50),
                          cv::Point2f(40, 50)};
    EXPECT_EQ(LineCrop::upright(page, square).size(), cv::Size(40, 40));
    // Under four pixels a side there is nothing to read.
    const TextQuad speck{cv::Point2f(40, 10), cv::Point2f(43, 10), cv::Point2f(43, 40),
                         cv::Point2f(40, 40)};
    EXPECT_TRUE(LineCrop::upright(page, speck).empty());

    // Scaled to a height, keeping proportions, within the width bound.
    EXPECT_EQ(LineCrop::atHeight(strip, 48, 1000).size(), cv::Size(192, 48));
    EXPECT_EQ(LineCrop::atHeight(strip, 48, 100).size(), cv::Size(100, 48));

    // A line box 20 high from x 60 with strokes in it, on a grey page; half a height before it a
    // dot (a bullet), paper alone, or the end of a box beside it on the same line.
    auto lead = [](bool dot, bool neighbour) {
        cv::Mat line(60, 200, CV_8UC3, cv::Scalar(200, 200, 200));
        for (int x = 62; x < 170; x += 8)
            line(cv::Rect(x, 22, 3, 16)).setTo(cv::Scalar(20, 20, 20));
        if (dot)
            line(cv::Rect(52, 28, 4, 4)).setTo(cv::Scalar(20, 20, 20));
        const TextQuad box{cv::Point2f(60, 20), cv::Point2f(180, 20), cv::Point2f(180, 40),
                           cv::Point2f(60, 40)};
        const std::vector<TextQuad> boxes{
            box,
            {cv::Point2f(10, 20), cv::Point2f(neighbour ? 55 : 30, 20),
             cv::Point2f(neighbour ? 55 : 30, 40), cv::Point2f(10, 40)}};
        const cv::Mat strip = LineCrop::upright(line, box);
        return LineCrop::withLead(line, box, strip, boxes)[0].x;
    };
    EXPECT_FLOAT_EQ(lead(true, false), 50.0f);
    EXPECT_FLOAT_EQ(lead(false, false), 60.0f);
    EXPECT_FLOAT_EQ(lead(true, true), 60.0f);
}

TEST(LinePieces, PiecesOfOneLineAreJoinedAndTheSeamReadOnce)
{
    // A box `length` long and 30 high starting at `at`, turned by `degrees`.
    auto box = [](cv::Point2f at, float length, double degrees = 0) {
        const double turn = degrees * CV_PI / 180.0;
        const cv::Point2f along(float(std::cos(turn)), float(-std::sin(turn)));
        const cv::Point2f down(-along.y, along.x);
        return TextQuad{at, at + along * length, at + along * length + down * 30.0f,
                        at + down * 30.0f};
    };
    auto piece = [](const TextQuad &quad, const QString &text) {
        return LinePiece{quad, ScoredText(text, QList<float>(text.size(), 0.8f))};
    };
    const cv::Point2f start(10, 10);
    // 20 px along the line at 36 degrees.
    const cv::Point2f slantStep(float(20 * std::cos(0.2 * CV_PI)),
                                float(-20 * std::sin(0.2 * CV_PI)));
    const struct {
        const char *name;
        std::vector<LinePiece> pieces;
        QStringList expected;
    } rows[] = {
        {"overlapping at the seam",
         {piece(box(start, 200), "数学：完成练习"), piece(box({190, 10}, 200), "习册第12页")},
         {"数学：完成练习册第12页"}},
        {"the repeat is checked, not assumed",
         {piece(box(start, 200), "数学：p1"), piece(box({190, 10}, 100), "2 3题")},
         {"数学：p12 3题"}},
        {"a narrow gap",
         {piece(box(start, 200), "数学：课本p12"), piece(box({220, 12}, 60), "3题")},
         {"数学：课本p12 3题"}},
        {"in reverse order",
         {piece(box({220, 12}, 60), "3题"), piece(box(start, 200), "数学：课本p12")},
         {"数学：课本p12 3题"}},
        {"two columns",
         {piece(box(start, 200), "语文：背诵"), piece(box({270, 10}, 200), "数学：p12")},
         {"语文：背诵", "数学：p12"}},
        {"the next line",
         {piece(box(start, 200), "语文：背诵"), piece(box({200, 45}, 200), "数学：p12")},
         {"语文：背诵", "数学：p12"}},
        {"slanted",
         {piece(box(start, 200, 36), "英语：背诵"),
          piece(box(start + slantStep * 10.5f, 100, 36), "Unit 3")},
         {"英语：背诵 Unit 3"}},
        {"slanted lines one above the other",
         {piece(box(start, 200, 36), "英语：背诵"),
          piece(box(start + cv::Point2f(40, 0), 200, 36), "数学：p12")},
         {"英语：背诵", "数学：p12"}},
    };
    for (const auto &row : rows) {
        QStringList texts;
        for (const LinePiece &joined : LinePieces::joined(row.pieces))
            texts.append(joined.text.text());
        EXPECT_EQ(texts, row.expected) << row.name;
    }

    // The space put in between two pieces is as doubtful as the less sure of its neighbours.
    const std::vector<LinePiece> joined =
        LinePieces::joined({piece(box(start, 200), "p12"),
                            LinePiece{box({220, 10}, 60), ScoredText("3题", {0.5f, 0.9f})}});
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].text.confidence(), QList<float>({0.8f, 0.8f, 0.8f, 0.5f, 0.5f, 0.9f}));
    EXPECT_EQ(joined[0].box[2], cv::Point2f(280, 40));
}

TEST(StripTensor, PlanesPerStripScaledToMinusOneToOneAndZeroPadded)
{
    // Two strips of height 2 in a tensor 3 wide; only the second is set, with a strip 2 wide.
    StripTensor tensor(2, 2, 3);
    cv::Mat strip(2, 2, CV_8UC3);
    strip.at<cv::Vec3b>(0, 0) = {0, 255, 51};
    strip.at<cv::Vec3b>(0, 1) = {255, 0, 102};
    strip.at<cv::Vec3b>(1, 0) = {51, 102, 153};
    strip.at<cv::Vec3b>(1, 1) = {204, 255, 0};
    tensor.set(1, strip);

    EXPECT_EQ(tensor.shape(), (std::vector<int64_t>{2, 3, 2, 3}));
    const std::vector<float> &values = tensor.values();
    ASSERT_EQ(values.size(), 2u * 3 * 2 * 3);
    // [strip][channel][row][column]
    auto at = [&values](int item, int channel, int row, int column) {
        return values[size_t(((item * 3 + channel) * 2 + row) * 3 + column)];
    };
    for (int channel = 0; channel < 3; ++channel) {
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column) {
                EXPECT_EQ(at(0, channel, row, column), 0.0f) << "the unset strip is padding";
                const float expected =
                    column < 2 ? strip.at<cv::Vec3b>(row, column)[channel] / 127.5f - 1.0f : 0.0f;
                EXPECT_FLOAT_EQ(at(1, channel, row, column), expected) << channel << row << column;
            }
        }
    }
    EXPECT_FLOAT_EQ(at(1, 0, 0, 0), -1.0f);
    EXPECT_FLOAT_EQ(at(1, 1, 0, 0), 1.0f);
    EXPECT_FLOAT_EQ(at(1, 2, 0, 1), 102 / 127.5f - 1.0f);
}
