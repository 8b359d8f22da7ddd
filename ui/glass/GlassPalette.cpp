#include "ui/glass/GlassPalette.h"

#include <QGuiApplication>
#include <QtMath>
#include <initializer_list>

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

QColor blend(const QColor &from, const QColor &to, qreal t)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

qreal worstContrast(const QColor &color, std::initializer_list<QColor> surfaces)
{
    qreal worst = 21;
    for (const QColor &surface : surfaces)
        worst = qMin(worst, contrastRatio(color, surface));
    return worst;
}

// `base` when it already stands out enough from every surface; otherwise `base` mixed, in small
// steps so its hue survives, towards white on dark surfaces or black on light ones.
QColor withContrast(QColor base, qreal ratio, const QPalette &palette)
{
    base.setAlphaF(1);
    const QColor backdrop = backdropColor(palette);
    const QColor panel = panelColor(palette);
    if (worstContrast(base, {backdrop, panel}) >= ratio)
        return base;
    const QColor target = isDark(palette) ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const QColor candidate = blend(base, target, step / 20.0);
        if (worstContrast(candidate, {backdrop, panel}) >= ratio)
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

// What AppBackdrop paints where no glow brightens it (the glows only add light, which helps the
// dark scheme's light foregrounds and costs the light scheme's little, as its panels are white).
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
