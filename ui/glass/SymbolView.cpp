#include "ui/glass/SymbolView.h"

#include "ui/glass/GlassFonts.h"

#include "ui/icons/SymbolIcon.h"

#include <QPainter>

SymbolView::SymbolView(const QString &symbol, int size, GlassPalette::Tone tone, QWidget *parent)
    : QWidget(parent), m_symbol(symbol), m_size(GlassFonts::length(size)), m_boxWidth(m_size),
      m_tone(tone)
{
    setFixedSize(sizeHint());
}

void SymbolView::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    update();
}

void SymbolView::setTone(GlassPalette::Tone tone)
{
    m_tone = tone;
    m_fixedColor.reset();
    update();
}

void SymbolView::setFixedColor(const QColor &color)
{
    m_fixedColor = color;
    update();
}

void SymbolView::setBoxWidth(int width)
{
    m_boxWidth = qMax(GlassFonts::length(width), m_size);
    setFixedSize(sizeHint());
}

QColor SymbolView::currentColor() const
{
    return m_fixedColor.value_or(GlassPalette::color(palette(), m_tone));
}

QSize SymbolView::sizeHint() const
{
    return {m_boxWidth, m_size};
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor color = currentColor();
    if (!isEnabled())
        color = GlassPalette::withOpacity(color, 0.4);
    const QPixmap pixmap = SymbolIcon::pixmap(m_symbol, m_size, color, devicePixelRatioF());
    painter.drawPixmap((width() - m_size) / 2, (height() - m_size) / 2, pixmap);
}
