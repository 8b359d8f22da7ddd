#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <optional>

// Paints the glass material in a rounded rectangle: a translucent fill that lightens what lies
// behind, a soft top sheen and a hairline edge. Panels, chips and glass buttons share it.
namespace GlassSurface {

enum class Emphasis { Rest, Hovered, Pressed };

void paint(QPainter &painter, const QRectF &rect, qreal cornerRadius, const QPalette &palette,
           const std::optional<QColor> &tint = std::nullopt, Emphasis emphasis = Emphasis::Rest);

} // namespace GlassSurface
