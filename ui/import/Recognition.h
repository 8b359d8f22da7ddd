#pragma once

#include "core/ScoredText.h"
#include "core/SlateItem.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The way from pixels (or text) to entries: recognise the lines, parse them, and shrink each
// picture to what the drop zone shows. Recognition runs off the UI thread; nothing here touches
// shared state.
struct Recognition {
    QStringList lines;
    QList<SlateItem> items;
    std::optional<QString> title;
    QList<QImage> previews; // one per picture that could be read, in order

    // `lines`, page by page: what parsing the text again starts from.
    QList<QStringList> pages() const;

    // Reads the files in the order given and parses their lines, page after page, as one list.
    // `starting(k)` is called before the k-th file (counting from 1). A file that is no image gives
    // no lines and no preview.
    static Recognition ofFiles(const QStringList &paths, const QStringList &languages,
                               const QStringList &subjects,
                               const std::function<void(int)> &starting);
    static Recognition ofImage(const QImage &image, const QStringList &languages,
                               const QStringList &subjects);
    // Text handed over instead of a picture: its non-blank lines, trimmed, stand for the
    // recognised lines; nothing is recognised.
    static Recognition ofText(const QString &text, const QStringList &subjects);

private:
    void take(const QList<ScoredText> &read);
    void parse(const QStringList &subjects);

    // `lines` with the confidence of each character, one list per picture
    QList<QList<ScoredText>> m_pages;
};
