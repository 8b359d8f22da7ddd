#pragma once

#include "core/SlateItem.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What one press of the write button hands over, worked out from the screen's state.
struct WriteRequest {
    QList<SlateItem> ticked;      // the ticked entries, in list order
    QString listName;             // trimmed of blanks at both ends
    std::optional<QDateTime> due; // none when the due checkbox is off
    QStringList imagePaths;       // the files read, in order; none for a paste or a screenshot
    bool fromText = false;        // the lines came as text, not from a picture

    static WriteRequest fromScreen(const QList<SlateItem> &items, const QString &listName,
                                   bool dueOn, const QDateTime &due);

    // The entry titles of the ticked entries, in order.
    QStringList titles() const;
    // The file name of the first image, recorded as the entries' source; none without a file.
    std::optional<QString> source() const;
};
