#pragma once

#include "data/FileError.h"

#include <QString>
#include <optional>
#include <sys/types.h>
#include <variant>

// The file that a replacement of `path` lands on. A symbolic link to a regular file is followed,
// so the link stays a link and its target is replaced in its own folder.
struct FileTarget {
    QString path;               // `path` itself, or the regular file its link leads to
    std::optional<mode_t> mode; // the permission bits of the file there; nothing when none is
};

// An error when `path` is a link to nowhere, or is (or leads to) something other than a regular
// file (a folder, a FIFO, a device): nothing is ever written through those.
std::variant<FileTarget, FileError> fileTarget(const QString &path);
