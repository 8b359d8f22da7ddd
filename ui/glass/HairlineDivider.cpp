#include "ui/glass/HairlineDivider.h"

#include "ui/glass/GlassPalette.h"

#include <QPainter>

HairlineDivider::HairlineDivider(Qt::Orientation orientation, qreal opacity, QWidget *parent)
    : QWidget(parent), m_opacity(opacity)
{
    if (orientation == Qt::Horizontal)
        setFixedHeight(1);
    else
        setFixedWidth(1);
}

void HairlineDivider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(),
                     GlassPalette::withOpacity(GlassPalette::primary(palette()), m_opacity));
}
