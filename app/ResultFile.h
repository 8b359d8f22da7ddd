#pragma once

#include <QString>

namespace ResultFile {

// Replaces the file atomically with the text as UTF-8 without a byte-order mark. Returns false
// when the file could not be written (the caller has nobody to tell).
bool write(const QString &path, const QString &text);

} // namespace ResultFile
