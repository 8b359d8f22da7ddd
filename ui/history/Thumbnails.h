#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

// Square thumbnails of the history's images, made on the thread pool: a photo of 48 megapixels
// takes far too long to decode on the UI thread. Each is decoded at a reduced size where the
// format allows, turned upright, scaled to fill and cropped to the middle square. Only regular
// files are opened, and without blocking: a FIFO, a folder or a device where a picture was gives
// no thumbnail rather than a worker that never returns (and a process that cannot quit).
// The latest thumbnails are kept for the whole run, so coming back to the history shows them at
// once.
class Thumbnails : public QObject {
    Q_OBJECT

public:
    // The one cache of the process; used on the UI thread only.
    static Thumbnails &shared();

    // The thumbnail when it is ready (a null image stands for "no picture there"); otherwise
    // starts making it for the caller, announced by `ready`, and answers nothing.
    std::optional<QImage> thumbnail(const QString &path, int side);
    // A caller that got nothing from `thumbnail` waits no longer (its row scrolled away): once
    // nobody waits, a thumbnail not yet begun is not made.
    void forget(const QString &path, int side);

    // What the workers run: the file at `path` as a `side` × `side` thumbnail, or a null image.
    static QImage make(const QString &path, int side);

signals:
    void ready(const QString &path, int side);

private:
    Thumbnails();

    using Key = QPair<QString, int>;
    struct Pending {
        std::shared_ptr<std::atomic_bool> dropped;
        int waiting = 0;
    };
    QCache<Key, QImage> m_done;
    QHash<Key, Pending> m_running;
};
