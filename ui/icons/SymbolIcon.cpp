#include "ui/icons/SymbolIcon.h"

#include "ui/UiLog.h"

#include <QFile>
#include <QHash>
#include <QPainter>

namespace SymbolIcon {

namespace {

// Drawn only from the bundle: the brand's mark and the task circles, which no theme names.
bool isOwnSymbol(const QString &name)
{
    return name == QLatin1String("slatebook-mark") || name.startsWith(QLatin1String("task-"));
}

QIcon bundled(const QString &name)
{
    return QIcon(QStringLiteral(":/symbols/symbolic/%1.svg").arg(name));
}

} // namespace

bool isBundled(const QString &name)
{
    return QFile::exists(QStringLiteral(":/symbols/symbolic/%1.svg").arg(name));
}

QIcon icon(const QString &name)
{
    // Icons are only made on the UI thread; the cache saves theme look-ups on every repaint.
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(name);
    if (cached != cache.constEnd())
        return *cached;

    QIcon chosen;
    if (!isOwnSymbol(name) && QIcon::hasThemeIcon(name)) {
        const QIcon themed = QIcon::fromTheme(name);
        // A theme of SVG files without Qt's SVG icon engine yields icons that draw nothing.
        if (!themed.pixmap(16).isNull())
            chosen = themed;
        else
            qCDebug(lcUi) << "theme icon" << name << "draws nothing; the bundled one stands in";
    }
    if (chosen.isNull())
        chosen = bundled(name);
    if (!isBundled(name))
        qCDebug(lcUi) << "no drawing of the symbol" << name;
    cache.insert(name, chosen);
    return chosen;
}

QPixmap pixmap(const QString &name, int size, const QColor &color, qreal devicePixelRatio)
{
    const int side = qRound(size * devicePixelRatio);
    QPixmap result(side, side);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    icon(name).paint(&painter, QRect(0, 0, side, side));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    painter.end();
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace SymbolIcon
