#pragma once

#include "core/ocr/ppocr/OnnxModel.h"

#include <QString>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

// The three PP-OCR networks and the recognition alphabet of one folder. Creating a session takes
// longer than reading a photo, so the detection and recognition networks load side by side, each
// on a thread of its own, from construction on: the caller decodes its image meanwhile, and
// detection runs while the recognition network is still loading. The direction network, needed
// only for strips that read poorly, loads at its first use.
class PpOcrModels {
public:
    explicit PpOcrModels(const QString &folder);
    ~PpOcrModels();
    PpOcrModels(const PpOcrModels &) = delete;
    PpOcrModels &operator=(const PpOcrModels &) = delete;

    // Each waits until its network has loaded; null when its file is missing or does not load.
    OnnxModel *detection() const;
    OnnxModel *recognition() const;
    OnnxModel *direction();

    // Output class c (1-based; 0 is the CTC blank) stands for alphabet[c - 1]; the last entry is
    // the space. Empty when the dictionary is missing.
    const std::vector<QString> &alphabet() const { return m_alphabet; }

    // Detection, recognition and the alphabet are all there (waits for the networks).
    bool usable() const;

private:
    QString m_folder;
    std::vector<QString> m_alphabet;
    std::shared_future<std::unique_ptr<OnnxModel>> m_detection;
    std::shared_future<std::unique_ptr<OnnxModel>> m_recognition;
    std::once_flag m_directionLoaded;
    std::unique_ptr<OnnxModel> m_direction;
};
