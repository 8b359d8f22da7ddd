#include "ui/glass/GlassFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

namespace GlassFonts {

namespace {

constexpr qreal bodySize = 13;

// `font` scaled from the desktop's size by designSize / 13, in the unit the desktop gave it in.
QFont scaled(QFont font, const QFont &desktop, int designSize)
{
    const qreal factor = designSize / bodySize;
    if (desktop.pointSizeF() > 0)
        font.setPointSizeF(desktop.pointSizeF() * factor);
    else
        font.setPixelSize(qMax(1, qRound(desktop.pixelSize() * factor)));
    return font;
}

} // namespace

QFont system(int designSize, QFont::Weight weight)
{
    const QFont desktop = QGuiApplication::font();
    QFont font = scaled(desktop, desktop, designSize);
    font.setWeight(weight);
    return font;
}

QFont font(Style style)
{
    switch (style) {
    case Style::Title3:
        return system(16);
    case Style::Headline:
        return system(13, QFont::DemiBold);
    case Style::Body:
        return system(13);
    case Style::Callout:
        return system(12);
    case Style::Subheadline:
        return system(12);
    case Style::Caption:
        return system(11);
    }
    return system(13);
}

int length(int designPixels)
{
    const qreal body = QFontInfo(QGuiApplication::font()).pixelSize();
    return qMax(designPixels, qRound(designPixels * body / bodySize));
}

QFont monospacedCaption()
{
    return scaled(QFontDatabase::systemFont(QFontDatabase::FixedFont), QGuiApplication::font(), 11);
}

} // namespace GlassFonts
