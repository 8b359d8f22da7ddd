#pragma once

#include <opencv2/core.hpp>

#include <vector>

// Batches of text strips in the layout the direction and recognition networks read:
// [N, 3, height, width], pixels scaled to -1..1, each strip left-aligned and padded with 0.
class StripTensor {
public:
    StripTensor(size_t count, int height, int width);

    // Writes an RGB strip of the tensor's height and at most its width as item `index`.
    void set(size_t index, const cv::Mat &strip);

    std::vector<float> &values() { return m_values; }
    std::vector<int64_t> shape() const { return {int64_t(m_count), 3, m_height, m_width}; }

private:
    size_t m_count;
    int m_height;
    int m_width;
    std::vector<float> m_values;
};
