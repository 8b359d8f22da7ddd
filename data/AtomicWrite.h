#pragma once

#include "data/FileError.h"

#include <QByteArray>
#include <QString>

// Replaces the file's whole content through a temporary file beside it that is written, synced
// and checked before it is renamed into place, so a crash or a full disk leaves either the old
// file or the new one, never an empty or partial one. A symbolic link to a regular file is
// written through (the link stays); a link to nowhere, a folder, a FIFO or a device is refused.
// An existing file keeps its permission bits; a new one is readable by its owner only.
// False when nothing changed; then `error`, when given, says why.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, FileError *error = nullptr);
