#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

// Largest .ics file read; one reminder is a few hundred bytes.
inline constexpr qint64 maxReminderFileBytes = 16 * 1024 * 1024;

// The bytes of a file in the reminders folder, or why it was left out. Only a regular file of at
// most `limit` bytes is read: a link to /dev/zero would stream without end and a FIFO would block
// until someone writes to it.
std::variant<QByteArray, QString> readFolderFile(const QString &path, qint64 limit);
