#pragma once

#include <QString>

// Why a file could not be read or written: a short reason for the user, in their language, and
// the system's own words for the log.
struct FileError {
    QString userText;
    QString systemText;

    // From an errno value.
    static FileError fromErrno(int code);
};
