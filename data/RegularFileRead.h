#pragma once

#include <QByteArray>
#include <QString>

// A whole file read the way every store file is read: only when it is a regular file (a
// symbolic link to one is followed) and no larger than `limit`. A FIFO or a device is opened
// without blocking and never read, so a start never waits on one.
struct RegularFileRead {
    enum class Outcome {
        Read,
        Missing,    // nothing there, a link to nowhere, or a file where a folder should be
        NotRegular, // a folder, a FIFO, a device: left alone
        TooLarge,   // not read
        Failed      // it is there but cannot be read (permissions, an I/O error)
    };

    Outcome outcome = Outcome::Missing;
    QByteArray bytes; // with Read
    QString why;      // otherwise, for the log

    // Far beyond any real store file, and small enough to hold in memory.
    static constexpr qint64 defaultLimit = 16 * 1024 * 1024;
};

RegularFileRead readRegularFile(const QString &path, qint64 limit = RegularFileRead::defaultLimit);
