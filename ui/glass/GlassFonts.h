#pragma once

#include <QFont>

// The text styles that the screens name, as pixel sizes so that the fixed widths the layouts
// give (a 62-pixel subject field, a 218-pixel sidebar) hold whatever the screen's DPI.
namespace GlassFonts {

enum class Style { Title3, Headline, Body, Callout, Subheadline, Caption };

QFont font(Style style);

// The application font at `pixelSize` and `weight`: an explicitly sized "system font".
QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);

// A fixed-width font for recognised text.
QFont monospacedCaption();

} // namespace GlassFonts
