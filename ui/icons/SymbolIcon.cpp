#include "ui/icons/SymbolIcon.h"

#include "ui/icons/DrawnSymbols.h"

#include <QHash>
#include <QPainter>

namespace SymbolIcon {

QStringList themeNames(const QString &symbol)
{
    static const QHash<QString, QStringList> names = {
        {QStringLiteral("tray.and.arrow.down"), {"document-import-symbolic", "document-import"}},
        {QStringLiteral("tray.and.arrow.down.fill"), {"document-import-symbolic", "document-import"}},
        {QStringLiteral("list.bullet.rectangle"), {"view-list-bullet-symbolic", "view-list-symbolic", "view-list"}},
        {QStringLiteral("clock.arrow.circlepath"), {"document-open-recent-symbolic", "document-open-recent"}},
        {QStringLiteral("gearshape"), {"preferences-system-symbolic", "emblem-system-symbolic", "preferences-system"}},
        {QStringLiteral("info.circle"), {"help-about-symbolic", "dialog-information-symbolic", "help-about"}},
        {QStringLiteral("lock.shield"), {"security-high-symbolic", "security-high"}},
        {QStringLiteral("photo.on.rectangle.angled"), {"image-x-generic-symbolic", "image-x-generic"}},
        {QStringLiteral("plus"), {"list-add-symbolic", "list-add"}},
        {QStringLiteral("arrow.clockwise"), {"view-refresh-symbolic", "view-refresh"}},
        {QStringLiteral("text.viewfinder"), {"edit-find-symbolic", "edit-find"}},
        {QStringLiteral("trash"), {"user-trash-symbolic", "edit-delete-symbolic", "edit-delete"}},
        {QStringLiteral("checkmark.circle.fill"), {"emblem-ok-symbolic", "object-select-symbolic", "dialog-ok"}},
        {QStringLiteral("chevron.right"), {"go-next-symbolic", "go-next"}},
        {QStringLiteral("list.bullet.circle"), {"view-list-bullet-symbolic", "view-list-symbolic"}},
        {QStringLiteral("bell.badge"), {"preferences-system-notifications-symbolic", "notification-symbolic"}},
        {QStringLiteral("bell.badge.fill"), {"preferences-system-notifications-symbolic", "notification-symbolic"}},
        {QStringLiteral("circle"), {}},
        {QStringLiteral("plus.circle"), {"list-add-symbolic", "list-add"}},
        {QStringLiteral("checklist"), {}},
        {QStringLiteral("arrow.down.doc"), {"document-import-symbolic", "document-import"}},
        {QStringLiteral("photo"), {"image-x-generic-symbolic", "image-x-generic"}},
        {QStringLiteral("tray"), {"mail-inbox-symbolic", "folder-symbolic"}},
        {QStringLiteral("gearshape.fill"), {"preferences-system-symbolic", "emblem-system-symbolic", "preferences-system"}},
        {QStringLiteral("square.and.arrow.down.fill"), {"document-save-symbolic", "document-save"}},
        {QStringLiteral("externaldrive.fill"), {"drive-harddisk-symbolic", "drive-harddisk"}},
        {QStringLiteral("camera.viewfinder"), {"camera-photo-symbolic", "camera-photo"}},
        {QStringLiteral("arrow.left.arrow.right"), {"media-playlist-repeat-symbolic", "view-refresh-symbolic"}},
        // The app tile's mark is part of the brand: always our own drawing.
        {QStringLiteral("checklist.checked"), {}},
    };
    return names.value(symbol);
}

QIcon icon(const QString &symbol)
{
    // Icons are only made on the UI thread; the cache saves theme look-ups on every repaint.
    static QHash<QString, QIcon> cache;
    const auto cached = cache.constFind(symbol);
    if (cached != cache.constEnd())
        return *cached;

    QIcon chosen;
    for (const QString &name : themeNames(symbol)) {
        if (!QIcon::hasThemeIcon(name))
            continue;
        const QIcon themed = QIcon::fromTheme(name);
        // A theme of SVG files without Qt's SVG icon engine yields icons that draw nothing.
        if (!themed.pixmap(16).isNull()) {
            chosen = themed;
            break;
        }
    }
    if (chosen.isNull())
        chosen = DrawnSymbols::icon(symbol);
    cache.insert(symbol, chosen);
    return chosen;
}

QPixmap pixmap(const QString &symbol, int size, const QColor &color, qreal devicePixelRatio)
{
    const int side = qRound(size * devicePixelRatio);
    QPixmap result(side, side);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    icon(symbol).paint(&painter, QRect(0, 0, side, side));
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    painter.end();
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

} // namespace SymbolIcon
