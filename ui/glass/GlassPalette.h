#pragma once

#include <QColor>
#include <QPalette>

// The semantic colours that the screens name (primary, secondary, tertiary, accent), taken from
// the desktop's palette so the glass look follows its light or dark scheme.
namespace GlassPalette {

// Dark when the window colour is darker than mid-grey.
bool isDark(const QPalette &palette);

QColor primary(const QPalette &palette);
QColor secondary(const QPalette &palette);
QColor tertiary(const QPalette &palette);
QColor accent(const QPalette &palette);

QColor withOpacity(QColor color, qreal opacity);

// A colour named by its role, for widgets that keep it in step with the palette.
enum class Tone { Primary, Secondary, Tertiary, Accent };
QColor color(const QPalette &palette, Tone tone);

} // namespace GlassPalette
