#include "ui/glass/SegmentedControl.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/GlassSurface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int designHeight = 26;
constexpr int inset = 2;

} // namespace

SegmentedControl::SegmentedControl(const QStringList &segments, QWidget *parent)
    : QWidget(parent), m_segments(segments)
{
    setFont(GlassFonts::system(12));
    setFocusPolicy(Qt::TabFocus);
    // The design's 26, or taller when the desktop's font is large.
    setFixedHeight(qMax(designHeight, fontMetrics().height() + 8));
    setCursor(Qt::PointingHandCursor);
}

void SegmentedControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_segments.size() || index == m_current)
        return;
    m_current = index;
    update();
    showAccessibleName();
    emit currentIndexChanged(index);
}

void SegmentedControl::setAccessibleLabel(const QString &label)
{
    m_accessibleLabel = label;
    showAccessibleName();
}

void SegmentedControl::showAccessibleName()
{
    if (!m_accessibleLabel.isEmpty())
        setAccessibleName(m_accessibleLabel + QStringLiteral("：") + m_segments.value(m_current));
}

QRect SegmentedControl::segmentRect(int index) const
{
    const int count = qMax(1, int(m_segments.size()));
    const int inner = width() - 2 * inset;
    const int left = inset + inner * index / count;
    const int right = inset + inner * (index + 1) / count;
    return QRect(left, inset, right - left, height() - 2 * inset);
}

QSize SegmentedControl::sizeHint() const
{
    // The chosen segment is drawn semibold: every segment must have room for that.
    QFont chosen = font();
    chosen.setWeight(QFont::DemiBold);
    const QFontMetrics metrics(chosen);
    int widest = 0;
    for (const QString &segment : m_segments)
        widest = qMax(widest, metrics.horizontalAdvance(segment));
    return {int(m_segments.size()) * (widest + 20) + 2 * inset, height()};
}

QSize SegmentedControl::minimumSizeHint() const
{
    return sizeHint();
}

void SegmentedControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dark = GlassPalette::isDark(palette());
    const qreal radius = (height() - 1) / 2.0;

    QPainterPath track;
    track.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    painter.fillPath(
        track, GlassPalette::withOpacity(GlassPalette::primary(palette()), dark ? 0.1 : 0.07));

    const QRectF chosen = QRectF(segmentRect(m_current));
    const qreal chosenRadius = chosen.height() / 2;
    GlassSurface::paint(painter, chosen, chosenRadius, palette());
    if (!dark) {
        QPainterPath raised;
        raised.addRoundedRect(chosen.adjusted(0.5, 0.5, -0.5, -0.5), chosenRadius, chosenRadius);
        painter.fillPath(raised, QColor::fromRgbF(1, 1, 1, 0.6f));
    }
    if (hasFocus()) {
        painter.setPen(QPen(GlassPalette::accentSymbol(palette()), 1.5));
        painter.drawPath(track);
    }

    for (int i = 0; i < m_segments.size(); ++i) {
        QColor text =
            i == m_current ? GlassPalette::primary(palette()) : GlassPalette::secondary(palette());
        if (!isEnabled())
            text = GlassPalette::withOpacity(text, 0.45);
        painter.setPen(text);
        QFont segmentFont = font();
        segmentFont.setWeight(i == m_current ? QFont::DemiBold : QFont::Normal);
        painter.setFont(segmentFont);
        painter.drawText(segmentRect(i), Qt::AlignCenter, m_segments[i]);
    }
}

void SegmentedControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    for (int i = 0; i < m_segments.size(); ++i) {
        if (segmentRect(i).contains(event->position().toPoint()))
            setCurrentIndex(i);
    }
}

void SegmentedControl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left)
        setCurrentIndex(m_current - 1);
    else if (event->key() == Qt::Key_Right)
        setCurrentIndex(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}
