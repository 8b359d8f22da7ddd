#include "core/ocr/ppocr/GridRows.h"

#include "core/ocr/OcrLog.h"
#include "core/ocr/ppocr/PpOcrSettings.h"

#include <algorithm>

namespace {

TextQuad quadOf(float left, float top, float right, float bottom)
{
    return {cv::Point2f(left, top), cv::Point2f(right, top), cv::Point2f(right, bottom),
            cv::Point2f(left, bottom)};
}

} // namespace

namespace GridRows {

std::vector<TextQuad> upright(const std::vector<TextQuad> &boxes)
{
    std::vector<cv::Rect2f> rows;
    for (const TextQuad &box : boxes) {
        const cv::Rect2f bounds = boundsOf(box);
        if (bounds.height <= PpOcrSettings::columnAspect * bounds.width)
            rows.push_back(bounds);
    }
    std::vector<TextQuad> result;
    for (const TextQuad &box : boxes) {
        const cv::Rect2f column = boundsOf(box);
        if (column.height <= PpOcrSettings::columnAspect * column.width) {
            result.push_back(
                std::max(column.width, column.height) <
                        PpOcrSettings::pieceHeightRatio * std::min(column.width, column.height)
                    ? quadOf(column.x, column.y, column.x + column.width, column.y + column.height)
                    : box);
            continue;
        }
        // The bands of the rows beside the column, top to bottom, each once.
        std::vector<std::pair<float, float>> bands;
        for (const cv::Rect2f &row : rows) {
            const float top = std::max(row.y, column.y);
            const float bottom = std::min(row.y + row.height, column.y + column.height);
            if (bottom - top > 0.5f * row.height)
                bands.emplace_back(top, bottom);
        }
        std::sort(bands.begin(), bands.end());
        std::vector<std::pair<float, float>> distinct;
        // Boxes are grown around their writing, so neighbouring rows' bands overlap a little:
        // they part in the middle of the overlap. Bands that overlap by half are one row.
        for (const auto &band : bands) {
            if (distinct.empty() || band.first >= distinct.back().second) {
                distinct.push_back(band);
                continue;
            }
            auto &last = distinct.back();
            const float overlap = last.second - band.first;
            if (overlap > 0.5f * std::min(last.second - last.first, band.second - band.first)) {
                last.second = std::max(last.second, band.second);
            } else {
                const float middle = band.first + overlap / 2;
                last.second = middle;
                distinct.emplace_back(middle, band.second);
            }
        }
        if (distinct.size() < 2) {
            result.push_back(box);
            continue;
        }
        qCDebug(lcOcr) << "a column across" << distinct.size() << "rows of a grid cut at the rows";
        // A cell the network also found on its own is read there.
        for (const auto &[top, bottom] : distinct) {
            const cv::Point2f centre(column.x + column.width / 2, (top + bottom) / 2);
            if (std::none_of(rows.begin(), rows.end(),
                             [&centre](const cv::Rect2f &row) { return row.contains(centre); }))
                result.push_back(quadOf(column.x, top, column.x + column.width, bottom));
        }
    }
    return result;
}

} // namespace GridRows
