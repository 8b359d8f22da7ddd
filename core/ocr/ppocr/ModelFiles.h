#pragma once

#include <QString>

// Where the PP-OCR networks and their dictionary live at run time.
namespace ModelFiles {

inline constexpr const char *detectionNetwork = "ch_PP-OCRv4_det_infer.onnx";
inline constexpr const char *recognitionNetwork = "ch_PP-OCRv4_rec_infer.onnx";
inline constexpr const char *directionNetwork = "ch_ppocr_mobile_v2.0_cls_infer.onnx";
inline constexpr const char *dictionary = "ppocr_keys_v1.txt";

// True when the folder holds all four files.
bool complete(const QString &folder);

// The installed folder (<executable dir>/../share/slatebook/models) when it is complete. An
// executable inside the build tree otherwise uses the folder the build fetched the models into;
// an installed one never looks anywhere else.
QString locateFolder();

} // namespace ModelFiles
