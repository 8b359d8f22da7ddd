#include "core/ocr/ppocr/Ruling.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/PpOcrSettings.h"
#include "core/ocr/ppocr/TunedSettings.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {

using namespace PpOcrSettings;

// Pixels clearly darker than the paper around them: ink and ruling alike, whatever the light.
cv::Mat darkerThanPaper(const cv::Mat &grey)
{
    cv::Mat paper;
    cv::dilate(grey, paper,
               cv::getStructuringElement(cv::MORPH_RECT, {rulingPaperReach, rulingPaperReach}));
    cv::Mat darkness;
    cv::subtract(paper, grey, darkness);
    cv::Mat dark;
    cv::threshold(darkness, dark, tuned("rulingContrast", rulingContrast), 255, cv::THRESH_BINARY);
    return dark;
}

// The long thin runs of `dark` along one axis. The runs are found on the ink thickened across
// the axis, so that a line slanted by a page's tilt or curve still runs unbroken; each run must
// be thin for its length, which a character's stroke, however long, is not.
struct Runs {
    cv::Mat mask;
    int count = 0;
};

Runs longThinRuns(const cv::Mat &dark, bool horizontal, int length, double thickest)
{
    const cv::Size across = horizontal ? cv::Size(1, rulingSlack) : cv::Size(rulingSlack, 1);
    const cv::Size along = horizontal ? cv::Size(length, 1) : cv::Size(1, length);
    cv::Mat thick;
    cv::dilate(dark, thick, cv::getStructuringElement(cv::MORPH_RECT, across));
    cv::Mat runs;
    cv::morphologyEx(thick, runs, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_RECT, along));
    runs &= dark;

    cv::Mat labels;
    cv::Mat stats;
    cv::Mat centroids;
    const int count = cv::connectedComponentsWithStats(runs, labels, stats, centroids, 8, CV_32S);
    std::vector<uchar> keep(size_t(count), 0);
    int kept = 0;
    for (int label = 1; label < count; ++label) {
        const int extent =
            stats.at<int>(label, horizontal ? cv::CC_STAT_WIDTH : cv::CC_STAT_HEIGHT);
        const double thickness = double(stats.at<int>(label, cv::CC_STAT_AREA)) / extent;
        if (extent >= length && thickness <= thickest) {
            keep[size_t(label)] = 255;
            ++kept;
        }
    }
    if (kept == 0)
        return {};
    cv::Mat lines(runs.size(), CV_8UC1);
    for (int y = 0; y < runs.rows; ++y) {
        const int *label = labels.ptr<int>(y);
        uchar *out = lines.ptr<uchar>(y);
        for (int x = 0; x < runs.cols; ++x)
            out[x] = keep[size_t(label[x])];
    }
    // The antialiased rim of a line is a little lighter than its core, yet still a line.
    cv::dilate(lines, lines, cv::getStructuringElement(cv::MORPH_RECT, {3, 3}));
    return {lines, kept};
}

// Paints the line pixels with the brightest pixel near them across the line: the paper beside
// a line replaces it, while a stroke crossing it is dark on both sides and so keeps its ink.
void paintOver(cv::Mat &rgb, const cv::Mat &lines, bool horizontal)
{
    const cv::Size across =
        horizontal ? cv::Size(1, rulingCloseSpan) : cv::Size(rulingCloseSpan, 1);
    cv::Mat paper;
    cv::dilate(rgb, paper, cv::getStructuringElement(cv::MORPH_RECT, across));
    paper.copyTo(rgb, lines);
}

} // namespace

namespace Ruling {

bool erase(cv::Mat &rgb)
{
    const int longer = std::max(rgb.cols, rgb.rows);
    const int length = std::max(rulingShortest, int(longer * rulingLengthShare));
    if (std::min(rgb.cols, rgb.rows) < length)
        return false;
    const double thickest = std::max(rulingThinnest, longer * rulingThicknessShare);
    cv::Mat grey;
    cv::cvtColor(rgb, grey, cv::COLOR_RGB2GRAY);
    const cv::Mat dark = darkerThanPaper(grey);
    const Runs across = longThinRuns(dark, true, length, thickest);
    const Runs down = longThinRuns(dark, false, length, thickest);
    // Lined paper, even with a margin line, leaves the lines of writing whole: the network reads
    // it well as it is, and boxes that lose the line under the writing crop it differently.
    if (across.count < rulingGridLines || down.count < rulingGridLines)
        return false;
    paintOver(rgb, across.mask, true);
    paintOver(rgb, down.mask, false);
    qCDebug(lcOcr) << "grid painted over:" << across.count << "rows and" << down.count
                   << "columns of lines at least" << length << "px long";
    return true;
}

} // namespace Ruling
