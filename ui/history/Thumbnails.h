#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <optional>

// Square thumbnails of the history's images, made on the thread pool: a photo of 48 megapixels
// takes far too long to decode on the UI thread. Each is decoded at a reduced size where the
// format allows, turned upright, scaled to fill and cropped to the middle square. Results are
// kept for the whole run, so coming back to the history shows them at once.
class Thumbnails : public QObject {
    Q_OBJECT

public:
    // The one cache of the process; used on the UI thread only.
    static Thumbnails &shared();

    // The thumbnail when it is ready (a null image stands for "not an image"); otherwise
    // starts making it, announced by `ready`, and answers nothing.
    std::optional<QImage> thumbnail(const QString &path, int side);

    // What the workers run: the file at `path` as a `side` × `side` thumbnail, or a null image.
    static QImage make(const QString &path, int side);

signals:
    void ready(const QString &path, int side);

private:
    using Key = QPair<QString, int>;
    QHash<Key, QImage> m_done;
    QSet<Key> m_running;
};
