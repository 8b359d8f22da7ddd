#include "ui/glass/BusySpinner.h"

#include "ui/glass/GlassPalette.h"

#include <QPainter>

BusySpinner::BusySpinner(QWidget *parent) : QWidget(parent)
{
    setFixedSize(16, 16);
    m_turn.setStartValue(0.0);
    m_turn.setEndValue(360.0);
    m_turn.setDuration(900);
    m_turn.setLoopCount(-1);
    connect(&m_turn, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_angle = value.toReal();
        update();
    });
}

void BusySpinner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(GlassPalette::withOpacity(GlassPalette::primary(palette()), 0.15), 2));
    painter.drawEllipse(ring);
    painter.setPen(QPen(GlassPalette::secondary(palette()), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, int(-m_angle * 16), 100 * 16);
}

void BusySpinner::showEvent(QShowEvent *event)
{
    m_turn.start();
    QWidget::showEvent(event);
}

void BusySpinner::hideEvent(QHideEvent *event)
{
    m_turn.stop();
    QWidget::hideEvent(event);
}
