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
    // The first (or only) image, as it was at import time; the image is not copied.
    std::optional<QString> imagePath;
    // The images after the first when one import read several, in the order they were read.
    QStringList moreImagePaths;
    // The lines came as text (pasted or dropped), so there is no picture to show.
    bool fromText = false;
    QStringList items; // entry titles handed to the write, in order
    qint64 written = 0;
    qint64 skipped = 0;
    std::optional<QString> failed; // never set here; kept when a file supplies it

    // Every image of the import, in order.
    QStringList imagePaths() const
    {
        QStringList paths;
        if (imagePath)
            paths.append(*imagePath);
        return paths + moreImagePaths;
    }

    bool operator==(const HistoryRecord &) const = default;
};
