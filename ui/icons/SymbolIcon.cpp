#include "ui/icons/SymbolIcon.h"

#include "ui/UiLog.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
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
    static const bool svg = QImageReader::supportedImageFormats().contains("svg");
    if (svg)
        return QIcon(QStringLiteral(":/symbols/symbolic/%1.svg").arg(name));
    QIcon icon;
    for (int size : {16, 24, 32, 48, 96})
        icon.addFile(QStringLiteral(":/symbols/png/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace

QString freedesktopName(const QString &symbol)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("tray.and.arrow.down"), QStringLiteral("document-import-symbolic")},
        {QStringLiteral("tray.and.arrow.down.fill"), QStringLiteral("document-import-symbolic")},
        {QStringLiteral("arrow.down.doc"), QStringLiteral("document-import-symbolic")},
        {QStringLiteral("list.bullet.rectangle"), QStringLiteral("view-list-bullet-symbolic")},
        {QStringLiteral("list.bullet.circle"), QStringLiteral("view-list-symbolic")},
        {QStringLiteral("clock.arrow.circlepath"), QStringLiteral("document-open-recent-symbolic")},
        {QStringLiteral("gearshape"), QStringLiteral("preferences-system-symbolic")},
        {QStringLiteral("gearshape.fill"), QStringLiteral("preferences-system-symbolic")},
        {QStringLiteral("info.circle"), QStringLiteral("help-about-symbolic")},
        {QStringLiteral("lock.shield"), QStringLiteral("security-high-symbolic")},
        {QStringLiteral("photo"), QStringLiteral("image-x-generic-symbolic")},
        {QStringLiteral("photo.on.rectangle.angled"), QStringLiteral("image-x-generic-symbolic")},
        {QStringLiteral("plus"), QStringLiteral("list-add-symbolic")},
        {QStringLiteral("plus.circle"), QStringLiteral("list-add-symbolic")},
        {QStringLiteral("arrow.clockwise"), QStringLiteral("view-refresh-symbolic")},
        {QStringLiteral("text.viewfinder"), QStringLiteral("scanner-symbolic")},
        {QStringLiteral("trash"), QStringLiteral("user-trash-symbolic")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("task-done-symbolic")},
        {QStringLiteral("circle"), QStringLiteral("task-open-symbolic")},
        {QStringLiteral("chevron.right"), QStringLiteral("go-next-symbolic")},
        {QStringLiteral("bell.badge"), QStringLiteral("preferences-system-notifications-symbolic")},
        {QStringLiteral("bell.badge.fill"), QStringLiteral("preferences-system-notifications-symbolic")},
        {QStringLiteral("checklist"), QStringLiteral("checklist-symbolic")},
        {QStringLiteral("checklist.checked"), QStringLiteral("slatebook-mark")},
        {QStringLiteral("tray"), QStringLiteral("mail-inbox-symbolic")},
        {QStringLiteral("square.and.arrow.down.fill"), QStringLiteral("document-save-symbolic")},
        {QStringLiteral("externaldrive.fill"), QStringLiteral("drive-harddisk-symbolic")},
        {QStringLiteral("camera.viewfinder"), QStringLiteral("camera-photo-symbolic")},
        {QStringLiteral("arrow.left.arrow.right"), QStringLiteral("emblem-synchronizing-symbolic")},
    };
    return names.value(symbol, symbol);
}

bool isBundled(const QString &name)
{
    return QFile::exists(QStringLiteral(":/symbols/symbolic/%1.svg").arg(name));
}

QIcon icon(const QString &symbol)
{
    // Icons are only made on the UI thread; the cache saves theme look-ups on every repaint.
    static QHash<QString, QIcon> cache;
    const QString name = freedesktopName(symbol);
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
        qCDebug(lcUi) << "no drawing of the symbol" << symbol;
    cache.insert(name, chosen);
    return chosen;
}

QPixmap pixmap(const QString &symbol, int size, const QColor &color, qreal devicePixelRatio)
{
    const int side = qRound(size * devicePixelRatio);
    QPixmap result(side, side);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    icon(symbol).paint(&painter, QRect(0, 0, side, side));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    painter.end();
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace SymbolIcon
