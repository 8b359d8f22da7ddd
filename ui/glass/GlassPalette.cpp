#include "ui/glass/GlassPalette.h"

namespace GlassPalette {

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

QColor primary(const QPalette &palette)
{
    return palette.color(QPalette::WindowText);
}

// Secondary and tertiary text are the primary colour faded, as label colours are on the glass:
// the backdrop tints them instead of a fixed grey fighting it.
QColor secondary(const QPalette &palette)
{
    return withOpacity(primary(palette), isDark(palette) ? 0.62 : 0.6);
}

QColor tertiary(const QPalette &palette)
{
    return withOpacity(primary(palette), isDark(palette) ? 0.42 : 0.4);
}

QColor accent(const QPalette &palette)
{
    return palette.color(QPalette::Highlight);
}

QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(color.alphaF() * opacity);
    return color;
}

QColor color(const QPalette &palette, Tone tone)
{
    switch (tone) {
    case Tone::Primary:
        return primary(palette);
    case Tone::Secondary:
        return secondary(palette);
    case Tone::Tertiary:
        return tertiary(palette);
    case Tone::Accent:
        return accent(palette);
    }
    return primary(palette);
}

} // namespace GlassPalette
