#include "ui/shell/SidebarEntry.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int verticalPadding = 7;
constexpr int horizontalPadding = 10;
constexpr int symbolColumn = 20;
constexpr int symbolSize = 15;
constexpr int spacing = 10;
constexpr qreal cornerRadius = 9;

// Blends premultiplied, so fading from clear keeps the target's hue instead of passing through
// black.
QColor mix(const QColor &from, const QColor &to, qreal t)
{
    const qreal alpha = from.alphaF() + (to.alphaF() - from.alphaF()) * t;
    if (alpha <= 0)
        return QColor(Qt::transparent);
    auto channel = [&](qreal a, qreal b) {
        return float(qBound(
            0.0, (a * from.alphaF() + (b * to.alphaF() - a * from.alphaF()) * t) / alpha, 1.0));
    };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()), float(alpha));
}

} // namespace

SidebarEntry::SidebarEntry(AppSection section, QWidget *parent)
    : QAbstractButton(parent), m_section(section)
{
    setText(AppSections::rawValue(section));
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(text());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A short critically damped ease stands in for the spring (response 0.15 s, damping 0.85).
    m_animation.setDuration(150);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_selection = value.toReal();
        update();
    });
}

void SidebarEntry::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    setFocusPolicy(selected ? Qt::TabFocus : Qt::NoFocus);
    m_animation.stop();
    if (isVisible()) {
        m_animation.setStartValue(m_selection);
        m_animation.setEndValue(selected ? 1.0 : 0.0);
        m_animation.start();
    } else {
        m_selection = selected ? 1.0 : 0.0;
    }
    update();
}

void SidebarEntry::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    update();
}

QColor SidebarEntry::fillColor() const
{
    const QColor accentFill = GlassPalette::withOpacity(GlassPalette::accent(palette()), 0.16);
    const QColor hoverFill = m_highlighted
        ? GlassPalette::withOpacity(GlassPalette::primary(palette()), 0.06)
        : QColor(Qt::transparent);
    return mix(hoverFill, accentFill, m_selection);
}

QColor SidebarEntry::outlineColor() const
{
    return GlassPalette::withOpacity(GlassPalette::accentSymbol(palette()), 0.6 * m_selection);
}

QColor SidebarEntry::symbolColor() const
{
    return mix(GlassPalette::secondary(palette()), GlassPalette::accentSymbol(palette()),
               m_selection);
}

QFont SidebarEntry::titleFont() const
{
    return GlassFonts::system(13, m_selected ? QFont::DemiBold : QFont::Normal);
}

QSize SidebarEntry::sizeHint() const
{
    const QFontMetrics metrics(titleFont());
    const int contentHeight = qMax(metrics.height(), symbolSize);
    return {2 * horizontalPadding + symbolColumn + spacing + metrics.horizontalAdvance(text()),
            2 * verticalPadding + contentHeight};
}

QSize SidebarEntry::minimumSizeHint() const
{
    return sizeHint();
}

void SidebarEntry::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(plate, cornerRadius, cornerRadius);
    painter.fillPath(path, fillColor());
    if (m_selection > 0) {
        painter.setPen(QPen(outlineColor(), 1));
        painter.drawPath(path);
    }
    if (hasFocus() && m_keyboardFocus) {
        QPainterPath ring;
        ring.addRoundedRect(plate.adjusted(1, 1, -1, -1), cornerRadius - 1, cornerRadius - 1);
        painter.setPen(QPen(GlassPalette::accentSymbol(palette()), 2));
        painter.drawPath(ring);
    }

    const int symbolX = horizontalPadding + (symbolColumn - symbolSize) / 2;
    painter.drawPixmap(symbolX, (height() - symbolSize) / 2,
                       SymbolIcon::pixmap(AppSections::symbolName(m_section), symbolSize,
                                          symbolColor(), devicePixelRatioF()));
    painter.setFont(titleFont());
    painter.setPen(GlassPalette::primary(palette()));
    const int textX = horizontalPadding + symbolColumn + spacing;
    painter.drawText(QRect(textX, 0, width() - textX - horizontalPadding, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}

void SidebarEntry::enterEvent(QEnterEvent *event)
{
    emit pointerEntered(m_section);
    QAbstractButton::enterEvent(event);
}

void SidebarEntry::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit stepRequested(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void SidebarEntry::focusInEvent(QFocusEvent *event)
{
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
        event->reason() == Qt::BacktabFocusReason || event->reason() == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void SidebarEntry::leaveEvent(QEvent *event)
{
    emit pointerLeft(m_section);
    QAbstractButton::leaveEvent(event);
}
