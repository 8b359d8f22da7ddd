#include "core/ocr/ppocr/StripTensor.h"

#include <algorithm>

StripTensor::StripTensor(size_t count, int height, int width)
    : m_count(count), m_height(height), m_width(width),
      m_values(count * 3 * size_t(height) * size_t(width), 0.0f)
{
}

void StripTensor::set(size_t index, const cv::Mat &strip)
{
    const size_t plane = size_t(m_height) * size_t(m_width);
    float *item = m_values.data() + index * 3 * plane;
    const int columns = std::min(strip.cols, m_width);
    for (int y = 0; y < std::min(strip.rows, m_height); ++y) {
        const uchar *pixel = strip.ptr<uchar>(y);
        for (int x = 0; x < columns; ++x, pixel += 3) {
            const size_t at = size_t(y) * size_t(m_width) + size_t(x);
            for (int c = 0; c < 3; ++c)
                item[c * plane + at] = pixel[c] / 127.5f - 1.0f;
        }
    }
}
