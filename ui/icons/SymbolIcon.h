#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The window's symbols, named by freedesktop icon names ("user-trash-symbolic"). The desktop's
// icon theme answers first; where it has no such icon (a bare desktop, or a symbol of our own such
// as "task-done-symbolic"), the SVG bundled in the ":/symbols" resource stands in, or its PNG
// renders where Qt has no SVG image plugin. Symbols are monochrome and take the colour of the
// text they sit beside.
namespace SymbolIcon {

// Whether the bundle has its own drawing of `name`.
bool isBundled(const QString &name);

// The theme's icon `name` when it has a usable one, otherwise the bundled drawing.
QIcon icon(const QString &name);

// Icon `name` at `size` logical pixels, recoloured to `color`.
QPixmap pixmap(const QString &name, int size, const QColor &color, qreal devicePixelRatio = 1.0);

} // namespace SymbolIcon
