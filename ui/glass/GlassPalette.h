#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPalette>

// The colours that the screens name by role, taken from the desktop's palette so the glass look
// follows its light or dark scheme. Foreground roles (accent symbols and text, the due-time and
// destructive colours) are derived with WCAG AA contrast against the surfaces they are drawn on,
// whatever highlight colour the desktop chose.
namespace GlassPalette {

// Dark when the window colour is darker than mid-grey.
bool isDark(const QPalette &palette);
// How strongly AppBackdrop's glows light the backdrop: half as much in the dark scheme, where
// added light takes contrast from the light text.
qreal glowStrength(const QPalette &palette);

QColor primary(const QPalette &palette);
QColor secondary(const QPalette &palette);
QColor tertiary(const QPalette &palette);
// The desktop's highlight colour as it is: for fills and plates, never for lines or text.
QColor accent(const QPalette &palette);
// The accent as the fill of a prominent button, darkened or lightened as far as its label
// (HighlightedText) needs to stay readable on it.
QColor prominentFill(const QPalette &palette);
// The accent for symbols, outlines and focus rings: at least 3:1 against the backdrop and the
// glass panels.
QColor accentSymbol(const QPalette &palette);
// The accent for text: at least 4.5:1 against the backdrop and the glass panels.
QColor accentText(const QPalette &palette);
// Due-time labels: past due (red) and due later today (orange), readable as text.
QColor overdue(const QPalette &palette);
QColor dueToday(const QPalette &palette);
// Destructive actions ("删除清单"): a red readable on the menus' own background.
QColor destructive(const QPalette &palette);

// The opaque colours that foregrounds sit on: the window's backdrop material, and a glass
// panel over it at its lightest (its top edge).
QColor backdropColor(const QPalette &palette);
QColor panelColor(const QPalette &palette);

QColor withOpacity(QColor color, qreal opacity);
// `from` mixed with `to`: t = 0 gives `from`, 1 gives `to`.
QColor blend(const QColor &from, const QColor &to, qreal t);

// The brand's tile (the sidebar's app tile, the About icon without a theme): blue at the top-left
// corner of `box` to violet at the bottom-right, the same in light and dark.
QLinearGradient brandGradient(const QRectF &box);

// WCAG 2 contrast ratio of two opaque colours, from 1 (equal) to 21 (black on white).
qreal contrastRatio(const QColor &a, const QColor &b);

// A colour named by its role, for widgets that keep it in step with the palette.
enum class Tone { Primary, Secondary, Tertiary, Accent, AccentText };
QColor color(const QPalette &palette, Tone tone);

} // namespace GlassPalette
