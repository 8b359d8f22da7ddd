#pragma once

#include <QFont>

// The text styles that the screens name. Every size is relative to the desktop's font: the
// design's sizes are given against a 13-unit body text, so the body is the desktop font itself, a
// title a quarter larger, a caption a sixth smaller, whatever size the user chose.
namespace GlassFonts {

enum class Style { Title3, Headline, Body, Callout, Subheadline, Caption };

QFont font(Style style);

// The desktop's font at `designSize` on the 13-unit scale (13 = the desktop size) and `weight`.
QFont system(int designSize, QFont::Weight weight = QFont::Normal);

// A length of the design (a symbol's side, a field's width) in pixels, grown in step with a
// desktop font larger than the design's 13-pixel body text; never smaller than the design's.
int length(int designPixels);

// A fixed-width font for recognised text, a caption's size.
QFont monospacedCaption();

} // namespace GlassFonts
