#include "ui/glass/GlassSurface.h"

#include "ui/glass/GlassPalette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

namespace GlassSurface {

void paint(QPainter &painter, const QRectF &rect, qreal cornerRadius, const QPalette &palette,
           const std::optional<QColor> &tint, Emphasis emphasis)
{
    const bool dark = GlassPalette::isDark(palette);
    // Half a pixel in, so the hairline lands on whole pixels.
    const QRectF shape = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(shape, cornerRadius, cornerRadius);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    qreal lift = 0;
    if (emphasis == Emphasis::Hovered)
        lift = 0.06;
    else if (emphasis == Emphasis::Pressed)
        lift = -0.04;

    // Light glass is milky white; dark glass lets the dark backdrop through with a faint lift.
    const qreal top = (dark ? 0.10 : 0.66) + lift;
    const qreal bottom = (dark ? 0.05 : 0.50) + lift;
    QLinearGradient fill(shape.topLeft(), shape.bottomLeft());
    fill.setColorAt(0, QColor::fromRgbF(1, 1, 1, float(std::clamp(top, 0.0, 1.0))));
    fill.setColorAt(1, QColor::fromRgbF(1, 1, 1, float(std::clamp(bottom, 0.0, 1.0))));
    painter.fillPath(path, fill);

    if (tint)
        painter.fillPath(path, GlassPalette::withOpacity(*tint, dark ? 0.22 : 0.16));

    // Hairline edge: bright along the top like light caught by the rim, a faint dark line
    // elsewhere so the panel reads against a light backdrop too.
    QLinearGradient edge(shape.topLeft(), shape.bottomLeft());
    edge.setColorAt(0, QColor::fromRgbF(1, 1, 1, dark ? 0.22f : 0.9f));
    edge.setColorAt(1, dark ? QColor::fromRgbF(1, 1, 1, 0.08f) : QColor::fromRgbF(0, 0, 0, 0.1f));
    painter.setPen(QPen(QBrush(edge), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

} // namespace GlassSurface
