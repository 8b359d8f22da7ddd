#include "ui/glass/GlassFonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace GlassFonts {

QFont system(int pixelSize, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
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

QFont monospacedCaption()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    return font;
}

} // namespace GlassFonts
