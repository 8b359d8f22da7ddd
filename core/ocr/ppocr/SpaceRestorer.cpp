#include "core/ocr/ppocr/SpaceRestorer.h"

#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/TunedSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The gap thresholds sit with the pipeline's other settings, in units of the strip height.
using namespace PpOcrSettings;

// Full-width punctuation, and the middle dot that Chinese lists use as a bullet.
bool isFullWidthPunctuation(char32_t c)
{
    return c == 0x00B7 || (c >= 0x2010 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) ||
        (c >= 0xFE10 && c <= 0xFE1F) || (c >= 0xFE30 && c <= 0xFE6F) ||
        (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
        (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65);
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

bool isLatinAlphanumeric(const QString &text)
{
    const char32_t c = firstCodePoint(text);
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
}

bool isDigit(const QString &text)
{
    const char32_t c = firstCodePoint(text);
    return c >= U'0' && c <= U'9';
}

// Two neighbours inside a Latin word (letters, or a letter and a digit): the room between them
// is the letters' own side bearings, not the spacing of the line.
bool withinLatinWord(const QString &left, const QString &right)
{
    return isLatinAlphanumeric(left) && isLatinAlphanumeric(right) &&
        !(isDigit(left) && isDigit(right));
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
    if (isSpace(left) || isSpace(right) || isFullWidthPunctuation(left) ||
        isFullWidthPunctuation(right))
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

// Noise of a dim or compressed photo binarises into specks that would fill the gaps between
// words; the smallest mark a letter has (a dot) is larger.
void dropSpecks(cv::Mat &ink)
{
    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
    const double smallest = std::pow(inkSpeckShare * ink.rows, 2);
    std::vector<uchar> keep(size_t(count), 1);
    bool any = false;
    for (int label = 1; label < count; ++label) {
        if (stats.at<int>(label, cv::CC_STAT_AREA) < smallest) {
            keep[size_t(label)] = 0;
            any = true;
        }
    }
    if (!any)
        return;
    for (int y = 0; y < ink.rows; ++y) {
        uchar *row = ink.ptr<uchar>(y);
        const int *label = labels.ptr<int>(y);
        for (int x = 0; x < ink.cols; ++x)
            row[x] = row[x] && keep[size_t(label[x])];
    }
}

// The letters' ink after Otsu binarisation, per column and as the height of the rows it spans;
// ink is whichever side is the minority, and ruled lines are left out.
struct Ink {
    std::vector<int> columns;
    int height = 0;
};

Ink inkOf(const QImage &grey)
{
    const cv::Mat pixels(grey.height(), grey.width(), CV_8UC1,
                         const_cast<uchar *>(grey.constBits()), size_t(grey.bytesPerLine()));
    cv::Mat bright;
    cv::threshold(pixels, bright, 0, 1, cv::THRESH_BINARY | cv::THRESH_OTSU);
    cv::Mat ink = bright;
    if (size_t(cv::countNonZero(bright)) * 2 > bright.total())
        ink = 1 - bright;
    dropSpecks(ink);

    Ink result;
    result.columns.assign(size_t(ink.cols), 0);
    int top = ink.rows;
    int bottom = -1;
    for (int y = 0; y < ink.rows; ++y) {
        const uchar *row = ink.ptr<uchar>(y);
        if (longestInkRun(row, ink.cols) > ruledRunLength * ink.rows)
            continue;
        int count = 0;
        for (int x = 0; x < ink.cols; ++x) {
            result.columns[size_t(x)] += row[x];
            count += row[x];
        }
        if (count > 0) {
            top = std::min(top, y);
            bottom = y;
        }
    }
    result.height = std::max(0, bottom - top + 1);
    return result;
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

// The empty stretch between two letters of proportional type. The network reads a narrow
// letter (i, l, t) at a time step that may fall beside its ink rather than on it, so the stretch
// from one centre to the next can hold a neighbour's gap as well as the letters' own; where ink
// of both letters stands between the centres, only the room between the first and the last ink
// counts.
int gapBetweenLetters(const std::vector<int> &columns, double from, double to)
{
    const int first = std::max(0, int(std::ceil(from)));
    const int last = std::min(int(columns.size()) - 1, int(std::floor(to)));
    int inkFrom = -1;
    int inkTo = -1;
    int runs = 0;
    for (int x = first; x <= last; ++x) {
        if (columns[size_t(x)] == 0)
            continue;
        runs += x == first || columns[size_t(x - 1)] == 0 ? 1 : 0;
        inkFrom = inkFrom < 0 ? x : inkFrom;
        inkTo = x;
    }
    return runs >= 2 ? longestEmptyRun(columns, inkFrom, inkTo)
                     : longestEmptyRun(columns, from, to);
}

// Width from the first to the last inked column in [from, to]; 0 when there is none.
double inkWidth(const std::vector<int> &columns, double from, double to)
{
    const int first = std::max(0, int(std::ceil(from)));
    const int last = std::min(int(columns.size()) - 1, int(std::floor(to)));
    int left = -1;
    int right = -1;
    for (int x = first; x <= last; ++x) {
        if (columns[size_t(x)] > 0) {
            if (left < 0)
                left = x;
            right = x;
        }
    }
    return left < 0 ? 0.0 : double(right - left + 1);
}

// Width of the unbroken run of inked columns at (or nearest to) the centre, within [from, to]:
// one digit's ink, without a neighbour that reaches into the range.
double strokeRunWidth(const std::vector<int> &columns, double centre, double from, double to)
{
    const int first = std::max(0, int(std::ceil(from)));
    const int last = std::min(int(columns.size()) - 1, int(std::floor(to)));
    int nearest = -1;
    for (int x = first; x <= last; ++x) {
        if (columns[size_t(x)] > 0 &&
            (nearest < 0 || std::abs(x - centre) < std::abs(nearest - centre)))
            nearest = x;
    }
    if (nearest < 0)
        return 0.0;
    int left = nearest;
    int right = nearest;
    while (left > first && columns[size_t(left - 1)] > 0)
        --left;
    while (right < last && columns[size_t(right + 1)] > 0)
        ++right;
    return double(right - left + 1);
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

float spaceProbabilityBetween(const DecodedLine &line, const DecodedCharacter &left,
                              const DecodedCharacter &right)
{
    float highest = 0.0f;
    for (int step = left.lastStep;
         step <= right.firstStep && size_t(step) < line.spaceProbability.size(); ++step)
        highest = std::max(highest, line.spaceProbability[size_t(step)]);
    return highest;
}

// Han characters each fill a square em, and digits are set on one common advance in nearly every
// font; only their ink says how much of that cell a glyph leaves empty. Latin letters and
// punctuation are proportional: their ink is their cell.
enum class Cell { Han, Digit, Proportional };

Cell cellOf(const QString &text)
{
    const char32_t c = firstCodePoint(text);
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0xF900 && c <= 0xFAFF))
        return Cell::Han;
    if (c >= U'0' && c <= U'9')
        return Cell::Digit;
    return Cell::Proportional;
}

// The empty part of each character's cell, half on either side of its ink: a narrow 习 or 1
// stands in a cell as wide as 题 or 8, so the paper beside it is part of the letter, not a gap
// between words. Without this, handwriting read "练 习 册" and print "1 5".
struct Cells {
    // The empty part of each character's cell on either side of its ink.
    std::vector<double> sides;
    // What most Han characters of the line fill.
    double em = 0.0;
};

Cells cellsOf(const std::vector<DecodedCharacter> &characters, const std::vector<double> &centres,
              const Ink &ink)
{
    const size_t count = characters.size();
    // Each character's ink lies between the midpoints to its neighbours' centres.
    auto bounds = [&](size_t i) {
        const double before =
            i > 0 ? (centres[i - 1] + centres[i]) / 2 : centres[i] - (centres[1] - centres[0]) / 2;
        const double after = i + 1 < count ? (centres[i] + centres[i + 1]) / 2
                                           : centres[i] + (centres[i] - centres[i - 1]) / 2;
        return std::pair(before, after);
    };
    std::vector<double> hanWidths;
    std::vector<double> digitWidths;
    for (size_t i = 0; i < count; ++i) {
        const auto [from, to] = bounds(i);
        const Cell cell = cellOf(characters[i].text);
        if (cell == Cell::Han)
            hanWidths.push_back(inkWidth(ink.columns, from, to));
        else if (cell == Cell::Digit && characters[i].text != QLatin1String("1"))
            digitWidths.push_back(strokeRunWidth(ink.columns, centres[i], from, to));
    }
    // The em: what most Han characters fill, else the height the ink spans (ascender to
    // descender is about an em in Latin type too).
    const double em = hanWidths.size() >= 2 ? median(hanWidths) : double(ink.height);
    const double digitCell = digitWidths.empty() ? digitCellShare * em : median(digitWidths);

    Cells cells{std::vector<double>(count, 0.0), em};
    for (size_t i = 0; i < count; ++i) {
        const Cell cell = cellOf(characters[i].text);
        if (cell == Cell::Proportional)
            continue;
        const double width = cell == Cell::Han ? em : digitCell;
        auto [from, to] = bounds(i);
        from = std::max(from, centres[i] - cellReach * width);
        to = std::min(to, centres[i] + cellReach * width);
        const double filled = cell == Cell::Han ? inkWidth(ink.columns, from, to)
                                                : strokeRunWidth(ink.columns, centres[i], from, to);
        if (filled > 0)
            cells.sides[i] = std::max(0.0, (width - filled) / 2);
    }
    return cells;
}

} // namespace

namespace SpaceRestorer {

QString restore(const DecodedLine &line, const QImage &strip, double pixelsPerStep, bool onGrid)
{
    const std::vector<DecodedCharacter> &characters = line.characters;
    const QImage grey = strip.convertToFormat(QImage::Format_Grayscale8);
    if (characters.size() < 2 || grey.isNull())
        return line.text();
    QString text;

    // The widest empty stretch between each pair of neighbouring character centres, less the
    // empty parts of the two characters' own cells.
    const Ink ink = inkOf(grey);
    std::vector<double> centres;
    for (const DecodedCharacter &c : characters)
        centres.push_back((c.firstStep + c.lastStep + 1) / 2.0 * pixelsPerStep);
    const Cells cells = cellsOf(characters, centres, ink);
    const std::vector<double> &sides = cells.sides;
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        const double empty = withinLatinWord(characters[i].text, characters[i + 1].text)
            ? gapBetweenLetters(ink.columns, centres[i], centres[i + 1])
            : longestEmptyRun(ink.columns, centres[i], centres[i + 1]);
        gaps.push_back(std::max(0.0, empty - sides[i] - sides[i + 1]));
    }
    const double height = grey.height();
    const double typicalGap = std::max(median(gaps), medianGapFloor * height);
    // The spacing of the line's characters is measured outside Latin words, whose letters stand
    // wider apart than Han characters or digits set side by side.
    std::vector<double> spacings;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        if (!withinLatinWord(characters[i].text, characters[i + 1].text))
            spacings.push_back(gaps[i]);
    }
    const double typicalSpacing = spacings.size() >= minimumSpacingPairs
        ? std::max(median(spacings), medianGapFloor * height)
        : typicalGap;
    // Between Latin letters and digits a word space is room added to the letters' own: their
    // side bearings differ from letter to letter (the straight stems of i, l and t get more than
    // round letters), so a gap is judged by how far it exceeds the line's usual room between
    // letters, in shares of their advance (the distance between neighbouring letters' centres).
    std::vector<double> latinPitches;
    std::vector<double> latinGaps;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        if (isLatinAlphanumeric(characters[i].text) &&
            isLatinAlphanumeric(characters[i + 1].text)) {
            latinPitches.push_back(centres[i + 1] - centres[i]);
            if (withinLatinWord(characters[i].text, characters[i + 1].text))
                latinGaps.push_back(gaps[i]);
        }
    }
    const bool latinMeasured = latinPitches.size() >= minimumLatinPairs;
    const double latinAdvance = latinMeasured ? median(latinPitches) : 0.0;
    const double latinSpacing = latinGaps.empty() ? 0.0 : median(latinGaps);
    const double latinSpace = tuned("latinSpaceShare", latinSpaceShare) * latinAdvance;

    // Digits inside a number stand at their own, tight spacing; a gap between two digits well
    // beyond the spacing of the line's other pairs of digits separates two numbers
    // ("p88 1-4题"), even where Han characters stand wider apart than that. Of two other pairs
    // the closer counts: the other may well be a space itself.
    std::vector<size_t> digitPairs;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        if (isDigit(characters[i].text) && isDigit(characters[i + 1].text))
            digitPairs.push_back(i);
    }
    auto separatesNumbers = [&](size_t pair) {
        std::vector<double> others;
        for (size_t other : digitPairs) {
            if (other != pair)
                others.push_back(gaps[other]);
        }
        std::sort(others.begin(), others.end());
        const double spacing = others.empty()
            ? 0.0
            : std::max(others[(others.size() - 1) / 2], medianGapFloor * height);
        return !others.empty() && gaps[pair] > digitGapFactor * spacing &&
            gaps[pair] > digitGapShare * cells.em;
    };

    // A line with few pairs of Han characters side by side (a dated heading, "6.9作业") does not
    // show how far apart its Han characters stand; handwriting sets them unevenly.
    auto hanPair = [&](size_t i) {
        return cellOf(characters[i].text) == Cell::Han &&
            cellOf(characters[i + 1].text) == Cell::Han;
    };
    size_t hanPairs = 0;
    for (size_t i = 0; i + 1 < characters.size(); ++i)
        hanPairs += hanPair(i) ? 1 : 0;

    // The cell pitch of a grid page: how far apart neighbouring Han characters' centres stand.
    std::vector<double> pitches;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        if (hanPair(i))
            pitches.push_back(centres[i + 1] - centres[i]);
    }
    const double pitch = onGrid && !pitches.empty() ? median(pitches) : 0.0;

    text = characters.front().text;
    for (size_t i = 0; i + 1 < characters.size(); ++i) {
        if (pitch > 0 &&
            (cellOf(characters[i].text) == Cell::Han ||
             cellOf(characters[i + 1].text) == Cell::Han)) {
            if (centres[i + 1] - centres[i] > gridSpacePitches * pitch &&
                spacePlausible(characters[i].text, characters[i + 1].text))
                text += QLatin1Char(' ');
            text += characters[i + 1].text;
            continue;
        }
        const DecodedCharacter &left = characters[i];
        const DecodedCharacter &right = characters[i + 1];
        const double gap = gaps[i];
        const bool latinPair = latinMeasured && withinLatinWord(left.text, right.text);
        const double usual = latinPair ? std::max(latinSpacing, medianGapFloor * height)
            : withinLatinWord(left.text, right.text) ? typicalGap
                                                     : typicalSpacing;
        const bool loneHanPair = hanPair(i) && hanPairs <= minimumHanPairs;
        const bool wide = gap > wideGapFactor * usual &&
            gap > (loneHanPair ? loneHanGapShare : wideGapShare) * cells.em;
        const bool hinted = spaceProbabilityBetween(line, left, right) > hintedSpaceProbability &&
            gap > hintedGapFactor * usual && gap > hintedGapShare * cells.em;
        const bool wordGap = latinPair && gap > latinSpacing + latinSpace;
        // Two digits stand on one advance: the room between them is not their letters' own.
        const bool digitGap = latinMeasured && isDigit(left.text) && isDigit(right.text) &&
            gap > numberSpaceShare * latinAdvance && gap > latinGapFactor * typicalGap;
        const bool numbers = isDigit(left.text) && isDigit(right.text) && separatesNumbers(i);
        if (((wide && !latinPair) || hinted || wordGap || digitGap || numbers) &&
            spacePlausible(left.text, right.text))
            text += QLatin1Char(' ');
        text += right.text;
    }
    return text;
}

} // namespace SpaceRestorer
