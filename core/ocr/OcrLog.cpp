#include "core/ocr/OcrLog.h"

Q_LOGGING_CATEGORY(lcOcr, "slatebook.ocr", QtInfoMsg)
