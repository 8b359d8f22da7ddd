#include "ui/glass/GlassPalette.h"

#include <QGuiApplication>
#include <QtMath>

namespace GlassPalette {

namespace {

constexpr qreal textContrast = 4.5;
constexpr qreal symbolContrast = 3.0;

qreal channelLuminance(qreal channel)
{
    return channel <= 0.04045 ? channel / 12.92 : qPow((channel + 0.055) / 1.055, 2.4);
}

qreal luminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * channelLuminance(rgb.redF()) + 0.7152 * channelLuminance(rgb.greenF()) +
        0.0722 * channelLuminance(rgb.blueF());
}

// The backdrop where AppBackdrop's strongest glow (30 % of a light blue, added) lights it most.
QColor litBackdrop(const QPalette &palette)
{
    const QColor base = backdropColor(palette).toRgb();
    const qreal alpha = 0.3 * glowStrength(palette);
    return QColor::fromRgbF(float(qMin(1.0, base.redF() + alpha * 0.42)),
                            float(qMin(1.0, base.greenF() + alpha * 0.62)),
                            float(qMin(1.0, base.blueF() + alpha * 1.0)));
}

// Whatever a foreground may be drawn on: the backdrop, plain or lit by a glow, and a glass panel
// over either.
qreal worstContrast(const QColor &color, const QPalette &palette)
{
    const QColor lit = litBackdrop(palette);
    const qreal panelLift = isDark(palette) ? 0.10 : 0.66;
    qreal worst = 21;
    for (const QColor &surface :
         {backdropColor(palette), panelColor(palette), lit, blend(lit, Qt::white, panelLift)})
        worst = qMin(worst, contrastRatio(color, surface));
    return worst;
}

// `base` when it already stands out enough from every surface; otherwise `base` mixed, in small
// steps so its hue survives, towards white on dark surfaces or black on light ones.
QColor withContrast(QColor base, qreal ratio, const QPalette &palette)
{
    base.setAlphaF(1);
    if (worstContrast(base, palette) >= ratio)
        return base;
    const QColor target = isDark(palette) ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const QColor candidate = blend(base, target, step / 20.0);
        if (worstContrast(candidate, palette) >= ratio)
            return candidate;
    }
    return target;
}

// The colour the window really shows. A widget whose style sheet makes its background
// transparent gets a transparent (black) Window role, which says nothing about what is behind it:
// the application's window colour is.
QColor windowColor(const QPalette &palette)
{
    const QColor own = palette.color(QPalette::Window);
    if (own.alpha() == 255)
        return own;
    return QGuiApplication::palette().color(QPalette::Window);
}

} // namespace

bool isDark(const QPalette &palette)
{
    return windowColor(palette).lightness() < 128;
}

qreal glowStrength(const QPalette &palette)
{
    return isDark(palette) ? 0.5 : 1.0;
}

QColor primary(const QPalette &palette)
{
    return palette.color(QPalette::WindowText);
}

// Secondary and tertiary text are the primary colour faded towards the glass, so the backdrop
// tints them instead of a fixed grey fighting it; only as far as text stays readable on both
// surfaces.
namespace {

QColor faded(const QPalette &palette, qreal fade)
{
    const QColor text = primary(palette);
    const QColor surface = blend(backdropColor(palette), panelColor(palette), 0.5);
    for (qreal t = fade; t > 0; t -= 0.02) {
        const QColor candidate = blend(text, surface, t);
        if (worstContrast(candidate, palette) >= textContrast)
            return candidate;
    }
    return text;
}

} // namespace

QColor secondary(const QPalette &palette)
{
    return faded(palette, 0.4);
}

QColor tertiary(const QPalette &palette)
{
    return faded(palette, 0.6);
}

QColor prominentFill(const QPalette &palette)
{
    const QColor label = palette.color(QPalette::HighlightedText);
    const QColor away = label.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white);
    QColor fill = accent(palette);
    fill.setAlphaF(1);
    for (int step = 0; step <= 20; ++step) {
        const QColor candidate = blend(fill, away, step / 20.0);
        if (contrastRatio(candidate, label) >= textContrast)
            return candidate;
    }
    return away;
}

QColor accent(const QPalette &palette)
{
    return palette.color(QPalette::Highlight);
}

QColor accentSymbol(const QPalette &palette)
{
    return withContrast(accent(palette), symbolContrast, palette);
}

QColor accentText(const QPalette &palette)
{
    return withContrast(accent(palette), textContrast, palette);
}

// The system's red and orange; the dark scheme's lighter variants start closer to what the
// contrast needs there.
QColor overdue(const QPalette &palette)
{
    return withContrast(isDark(palette) ? QColor(255, 105, 97) : QColor(215, 0, 21), textContrast,
                        palette);
}

QColor dueToday(const QPalette &palette)
{
    return withContrast(isDark(palette) ? QColor(255, 179, 64) : QColor(201, 82, 0), textContrast,
                        palette);
}

QColor destructive(const QPalette &palette)
{
    return overdue(palette);
}

// What AppBackdrop paints where no glow brightens it (`litBackdrop` is where one does most).
QColor backdropColor(const QPalette &palette)
{
    const QColor window = windowColor(palette);
    return isDark(palette) ? window.darker(112) : window.darker(104);
}

// GlassSurface's white fill at its top (0.10 dark, 0.66 light) over the backdrop.
QColor panelColor(const QPalette &palette)
{
    return blend(backdropColor(palette), Qt::white, isDark(palette) ? 0.10 : 0.66);
}

QColor blend(const QColor &from, const QColor &to, qreal t)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(color.alphaF() * opacity);
    return color;
}

QLinearGradient brandGradient(const QRectF &box)
{
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, QColor::fromRgbF(0.27f, 0.55f, 1.0f));
    gradient.setColorAt(1, QColor::fromRgbF(0.52f, 0.36f, 0.96f));
    return gradient;
}

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
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
        return accentSymbol(palette);
    case Tone::AccentText:
        return accentText(palette);
    }
    return primary(palette);
}

} // namespace GlassPalette
