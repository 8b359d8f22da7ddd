#include "core/ocr/ppocr/SpaceRestorer.h"

#include "core/ocr/ppocr/PpOcrSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The gap thresholds sit with the pipeline's other settings, in units of the strip height.
using namespace PpOcrSettings;

// Full-width punctuation, and the middle dot that Chinese lists use as a bullet.
bool isFullWidthPunctuation(char32_t c)
{
    return c == 0x00B7 || (c >= 0x2010 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFE10 && c <= 0xFE1F)
        || (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20)
        || (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
}

char32_t firstCodePoint(const QString &text)
{
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? 0 : points.front();
}

char32_t lastCodePoint(const QString &text)
{
    const QList<uint> points = text.toUcs4();
    return points.isEmpty() ? 0 : points.back();
}

bool isSpace(char32_t c)
{
    return QChar::isSpace(c);
}

// Spaces belong between words, never next to full-width punctuation (it carries its own room),
// before closing or trailing marks, or after opening ones.
bool spacePlausible(const QString &before, const QString &after)
{
    const char32_t left = lastCodePoint(before);
    const char32_t right = firstCodePoint(after);
    if (isSpace(left) || isSpace(right) || isFullWidthPunctuation(left) || isFullWidthPunctuation(right))
        return false;
    if (std::u32string_view(U".,;:!?)]}%").find(right) != std::u32string_view::npos)
        return false;
    return std::u32string_view(U"([{").find(left) == std::u32string_view::npos;
}

int longestInkRun(const uchar *row, int width)
{
    int longest = 0;
    int run = 0;
    for (int x = 0; x < width; ++x) {
        run = row[x] ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// Ink pixels per column of the letters, after Otsu binarisation; ink is whichever side is the
// minority, and ruled lines are left out.
std::vector<int> inkPerColumn(const QImage &grey)
{
    const cv::Mat pixels(grey.height(), grey.width(), CV_8UC1, const_cast<uchar *>(grey.constBits()),
                         size_t(grey.bytesPerLine()));
    cv::Mat bright;
    cv::threshold(pixels, bright, 0, 1, cv::THRESH_BINARY | cv::THRESH_OTSU);
    cv::Mat ink = bright;
    if (size_t(cv::countNonZero(bright)) * 2 > bright.total())
        ink = 1 - bright;

    std::vector<int> columns(size_t(ink.cols), 0);
    for (int y = 0; y < ink.rows; ++y) {
        const uchar *row = ink.ptr<uchar>(y);
        if (longestInkRun(row, ink.cols) > ruledRunLength * ink.rows)
            continue;
        for (int x = 0; x < ink.cols; ++x)
            columns[size_t(x)] += row[x];
    }
    return columns;
}

int longestEmptyRun(const std::vector<int> &columns, double from, double to)
{
    const int first = std::max(0, int(std::ceil(from)));
    const int last = std::min(int(columns.size()) - 1, int(std::floor(to)));
    int longest = 0;
    int run = 0;
    for (int x = first; x <= last; ++x) {
        run = columns[size_t(x)] == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + long(middle), values.end());
    if (values.size() % 2 == 1)
        return values[middle];
    const double upper = values[middle];
    return (upper + *std::max_element(values.begin(), values.begin() + long(middle))) / 2.0;
}

float spaceProbabilityBetween(const DecodedLine &line, const DecodedCharacter &left, const DecodedCharacter &right)
{
    float highest = 0.0f;
    for (int step = left.lastStep; step <= right.firstStep && size_t(step) < line.spaceProbability.size(); ++step)
        highest = std::max(highest, line.spaceProbability[size_t(step)]);
    return highest;
}

} // namespace

namespace SpaceRestorer {

QString restore(const DecodedLine &line, const QImage &strip, double pixelsPerStep)
{
    const std::vector<DecodedCharacter> &characters = line.characters;
    const QImage grey = strip.convertToFormat(QImage::Format_Grayscale8);
    QString text;
    if (characters.size() < 2 || grey.isNull()) {
        for (const DecodedCharacter &character : characters)
            text += character.text;
        return text;
    }

    // The widest empty stretch between each pair of neighbouring character centres.
    const std::vector<int> columns = inkPerColumn(grey);
    auto centre = [pixelsPerStep](const DecodedCharacter &c) { return (c.firstStep + c.lastStep + 1) / 2.0 * pixelsPerStep; };
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < characters.size(); ++i)
        gaps.push_back(longestEmptyRun(columns, centre(characters[i]), centre(characters[i + 1])));
    const double height = grey.height();
    const double typicalGap = std::max(median(gaps), medianGapFloor * height);

    text = characters.front().text;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        const DecodedCharacter &left = characters[i];
        const DecodedCharacter &right = characters[i + 1];
        const double gap = gaps[i];
        const bool wide = (gap > wideGapFactor * typicalGap && gap > wideGapMinimum * height)
            || (gap > veryWideGapFactor * typicalGap && gap > veryWideGapMinimum * height);
        const bool hinted = spaceProbabilityBetween(line, left, right) > hintedSpaceProbability
            && gap > hintedGapMinimum * height && gap > hintedGapFactor * typicalGap;
        if ((wide || hinted) && spacePlausible(left.text, right.text))
            text += QLatin1Char(' ');
        text += right.text;
    }
    return text;
}

} // namespace SpaceRestorer
