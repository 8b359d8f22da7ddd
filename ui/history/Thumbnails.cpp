#include "ui/history/Thumbnails.h"

#include "core/ocr/image/ImageLoader.h"
#include "ui/UiLog.h"

#include <QFile>
#include <QFutureWatcher>
#include <QImageReader>
#include <QtConcurrent>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Thumbnails kept, by their size in KiB: some 2,000 of 64 × 64.
constexpr qsizetype keptKilobytes = 32 * 1024;
// Larger files are not read for a thumbnail: no photo comes near it.
constexpr qint64 maximumFileBytes = 256LL * 1024 * 1024;

// The picture at `path` opened for reading, when it is a regular file of a plausible size. The
// descriptor is opened without blocking (a FIFO would wait for a writer forever) and checked
// itself, so what is read is what was checked.
std::unique_ptr<QFile> openPicture(const QString &path)
{
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        qCDebug(lcUi) << "no thumbnail:" << path << "cannot be opened";
        return nullptr;
    }
    struct stat info { };
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0 ||
        info.st_size > maximumFileBytes) {
        qCDebug(lcUi) << "no thumbnail:" << path << "is not a regular file of a picture's size";
        ::close(descriptor);
        return nullptr;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return nullptr;
    }
    return file;
}

} // namespace

Thumbnails::Thumbnails() : m_done(keptKilobytes) { }

Thumbnails &Thumbnails::shared()
{
    static Thumbnails thumbnails;
    return thumbnails;
}

std::optional<QImage> Thumbnails::thumbnail(const QString &path, int side)
{
    const Key key(path, side);
    if (const QImage *done = m_done.object(key))
        return *done;
    Pending &pending = m_running[key];
    ++pending.waiting;
    if (pending.dropped)
        return std::nullopt; // under way for another caller
    pending.dropped = std::make_shared<std::atomic_bool>(false);
    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
            [this, watcher, key, dropped = pending.dropped] {
                watcher->deleteLater();
                if (*dropped)
                    return; // forgotten; a new request has its own entry
                m_running.remove(key);
                const QImage image = watcher->result();
                m_done.insert(key, new QImage(image),
                              qMax<qsizetype>(1, image.sizeInBytes() / 1024));
                emit ready(key.first, key.second);
            });
    watcher->setFuture(QtConcurrent::run([path, side, dropped = pending.dropped] {
        return *dropped ? QImage() : make(path, side);
    }));
    return std::nullopt;
}

void Thumbnails::forget(const QString &path, int side)
{
    const auto pending = m_running.find(Key(path, side));
    if (pending == m_running.end() || --pending->waiting > 0)
        return;
    *pending->dropped = true;
    m_running.erase(pending);
}

QImage Thumbnails::make(const QString &path, int side)
{
    const std::unique_ptr<QFile> file = openPicture(path);
    if (!file)
        return {};
    QImage image;
    QImageReader reader(file.get());
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (reader.canRead() && size.isValid() &&
        qint64(size.width()) * size.height() <= ImageLoader::maximumPixels) {
        // A uniform reduction, so turning the picture upright afterwards keeps it filling.
        const double factor = qMin(1.0, double(2 * side) / qMin(size.width(), size.height()));
        reader.setScaledSize((QSizeF(size) * factor).toSize().expandedTo(QSize(1, 1)));
        image = reader.read();
    }
    if (image.isNull())
        image = ImageLoader::load(path); // HEIC and whatever Qt cannot size up front
    if (image.isNull())
        return {};
    const QImage filled =
        image.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return filled.copy((filled.width() - side) / 2, (filled.height() - side) / 2, side, side)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
