#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

// One successful write from the import screen, kept so it can be written again. It does not say
// whether the write went to the app's lists or to Reminders.
struct HistoryRecord {
    QUuid id = QUuid::createUuid();
    QDateTime date = QDateTime::currentDateTimeUtc(); // when the write finished
    QString listName;
    std::optional<QString> imagePath; // as it was at import time; the image is not copied
    QStringList items;                // entry titles handed to the write, in order
    qint64 written = 0;
    qint64 skipped = 0;
    std::optional<QString> failed; // never set here; kept when a file supplies it

    bool operator==(const HistoryRecord &) const = default;
};
