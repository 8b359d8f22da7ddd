#include "ui/glass/GlassPanel.h"

#include "ui/glass/GlassSurface.h"

#include <QMouseEvent>
#include <QPainter>

GlassPanel::GlassPanel(qreal cornerRadius, std::optional<QColor> tint, bool interactive,
                       QWidget *parent)
    : QWidget(parent), m_cornerRadius(cornerRadius), m_tint(std::move(tint)),
      m_interactive(interactive)
{
}

void GlassPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GlassSurface::Emphasis emphasis = GlassSurface::Emphasis::Rest;
    if (m_interactive && m_pressed)
        emphasis = GlassSurface::Emphasis::Pressed;
    else if (m_interactive && m_hovered)
        emphasis = GlassSurface::Emphasis::Hovered;
    GlassSurface::paint(painter, rect(), m_cornerRadius, palette(), m_tint, emphasis);
}

void GlassPanel::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    if (m_interactive)
        update();
    QWidget::enterEvent(event);
}

void GlassPanel::leaveEvent(QEvent *event)
{
    m_hovered = false;
    m_pressed = false;
    if (m_interactive)
        update();
    QWidget::leaveEvent(event);
}

void GlassPanel::mousePressEvent(QMouseEvent *event)
{
    if (m_interactive && event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
    QWidget::mousePressEvent(event);
}

void GlassPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed) {
        m_pressed = false;
        update();
    }
    QWidget::mouseReleaseEvent(event);
}
