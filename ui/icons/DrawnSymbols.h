#pragma once

#include <QIcon>
#include <QString>

// Our own drawings of every symbol the window uses, so each icon shows on a desktop without an
// icon theme. Drawn in black on a 24-unit grid at any size; SymbolIcon colours them.
namespace DrawnSymbols {

bool has(const QString &symbol);

// An icon that draws `symbol` crisply at every requested size; null for an unknown symbol.
QIcon icon(const QString &symbol);

} // namespace DrawnSymbols
