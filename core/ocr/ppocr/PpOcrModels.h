#pragma once

#include "core/ocr/ppocr/OnnxModel.h"

#include <QString>
#include <memory>
#include <vector>

// The three PP-OCR networks and the recognition alphabet, loaded together from one folder.
struct PpOcrModels {
    // Null when a file is missing or does not load.
    static std::unique_ptr<PpOcrModels> load(const QString &folder);

    OnnxModel detection;
    OnnxModel direction;
    OnnxModel recognition;
    // Output class c (1-based; 0 is the CTC blank) stands for alphabet[c - 1]; the last entry is
    // the space.
    std::vector<QString> alphabet;
};
