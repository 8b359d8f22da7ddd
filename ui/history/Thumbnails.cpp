#include "ui/history/Thumbnails.h"

#include "core/ocr/image/ImageLoader.h"

#include <QFutureWatcher>
#include <QImageReader>
#include <QtConcurrent>

Thumbnails &Thumbnails::shared()
{
    static Thumbnails thumbnails;
    return thumbnails;
}

std::optional<QImage> Thumbnails::thumbnail(const QString &path, int side)
{
    const Key key(path, side);
    const auto done = m_done.constFind(key);
    if (done != m_done.constEnd())
        return *done;
    if (m_running.contains(key))
        return std::nullopt;
    m_running.insert(key);
    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, key] {
        watcher->deleteLater();
        m_running.remove(key);
        m_done.insert(key, watcher->result());
        emit ready(key.first, key.second);
    });
    watcher->setFuture(QtConcurrent::run(&Thumbnails::make, path, side));
    return std::nullopt;
}

QImage Thumbnails::make(const QString &path, int side)
{
    QImage image;
    QImageReader reader(path);
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
