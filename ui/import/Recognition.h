#pragma once

#include "core/SlateItem.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// One image's way from pixels to entries, run off the UI thread: recognise the lines, parse
// them, and shrink the picture to what the drop zone shows. Nothing here touches shared state.
struct Recognition {
    QStringList lines;
    QList<SlateItem> items;
    std::optional<QString> title;
    QImage preview; // null when the file could not be read as an image

    // Reads the file once; a file that is no image gives no lines and no preview.
    static Recognition ofFile(const QString &path, const QStringList &languages, const QStringList &subjects);
    static Recognition ofImage(const QImage &image, const QStringList &languages, const QStringList &subjects);
};
