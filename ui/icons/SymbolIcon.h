#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The window names its icons by platform symbol names ("trash", "gearshape"). Each maps to
// freedesktop icon-theme names, tried in order through the desktop's theme; when the theme has
// none of them (a bare desktop), our own drawing stands in. Symbols are monochrome and take the
// colour of the text they sit beside.
namespace SymbolIcon {

// The theme names tried for `symbol`, best first.
QStringList themeNames(const QString &symbol);

// The desktop theme's icon for `symbol` when it has a usable one, otherwise our drawing.
QIcon icon(const QString &symbol);

// `symbol` at `size` logical pixels, recoloured to `color`.
QPixmap pixmap(const QString &symbol, int size, const QColor &color, qreal devicePixelRatio = 1.0);

} // namespace SymbolIcon
