#include "ui/glass/GlassButton.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/GlassSurface.h"
#include "ui/icons/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int horizontalPadding = 14;
constexpr int buttonHeight = 30;
constexpr int designSymbolSize = 15;
constexpr int symbolSpacing = 6;

} // namespace

GlassButton::GlassButton(const QString &title, bool prominent, QWidget *parent)
    : GlassButton(title, QString(), prominent, parent)
{
}

GlassButton::GlassButton(const QString &title, const QString &symbol, bool prominent,
                         QWidget *parent)
    : QAbstractButton(parent), m_symbol(symbol), m_prominent(prominent)
{
    setText(title);
    setFont(GlassFonts::system(13, prominent ? QFont::DemiBold : QFont::Normal));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void GlassButton::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    updateGeometry();
    update();
}

QSize GlassButton::sizeHint() const
{
    int width = 2 * horizontalPadding + fontMetrics().horizontalAdvance(text());
    if (!m_symbol.isEmpty())
        width += GlassFonts::length(designSymbolSize) + symbolSpacing;
    // Taller than the design's 30 when the desktop's font asks for it.
    return {width, qMax(buttonHeight, fontMetrics().height() + 12)};
}

QSize GlassButton::minimumSizeHint() const
{
    return sizeHint();
}

void GlassButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = shape.height() / 2;
    if (!isEnabled())
        painter.setOpacity(0.45);

    QColor labelColor;
    if (m_prominent) {
        QColor fill = GlassPalette::prominentFill(palette());
        if (isDown())
            fill = fill.darker(115);
        else if (m_hovered && isEnabled())
            fill = fill.lighter(110);
        QPainterPath path;
        path.addRoundedRect(shape, radius, radius);
        painter.fillPath(path, fill);
        painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.35f), 1));
        painter.drawPath(path);
        labelColor = palette().color(QPalette::HighlightedText);
    } else {
        GlassSurface::Emphasis emphasis = GlassSurface::Emphasis::Rest;
        if (isDown())
            emphasis = GlassSurface::Emphasis::Pressed;
        else if (m_hovered && isEnabled())
            emphasis = GlassSurface::Emphasis::Hovered;
        GlassSurface::paint(painter, rect(), radius, palette(), std::nullopt, emphasis);
        labelColor = GlassPalette::primary(palette());
    }

    const int symbolSize = GlassFonts::length(designSymbolSize);
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int contentWidth = textWidth + (m_symbol.isEmpty() ? 0 : symbolSize + symbolSpacing);
    int x = (width() - contentWidth) / 2;
    if (!m_symbol.isEmpty()) {
        painter.drawPixmap(
            x, (height() - symbolSize) / 2,
            SymbolIcon::pixmap(m_symbol, symbolSize, labelColor, devicePixelRatioF()));
        x += symbolSize + symbolSpacing;
    }
    painter.setPen(labelColor);
    painter.drawText(QRect(x, 0, textWidth, height()), Qt::AlignVCenter | Qt::AlignLeft, text());

    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        painter.setOpacity(1);
        painter.setPen(QPen(GlassPalette::accentSymbol(palette()), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(shape.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }
}

void GlassButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GlassButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
