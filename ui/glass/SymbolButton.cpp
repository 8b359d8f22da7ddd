#include "ui/glass/SymbolButton.h"

#include "ui/glass/GlassFonts.h"

#include "ui/icons/SymbolIcon.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

namespace {

constexpr int designSymbolSize = 15;

} // namespace

SymbolButton::SymbolButton(const QString &symbol, GlassPalette::Tone tone, bool flat,
                           QWidget *parent)
    : QPushButton(parent), m_symbol(symbol), m_tone(tone)
{
    setFlat(flat);
    const int symbolSize = GlassFonts::length(designSymbolSize);
    setIconSize(QSize(symbolSize, symbolSize));
    setCursor(Qt::PointingHandCursor);
    if (flat)
        setFixedSize(GlassFonts::length(24), GlassFonts::length(24));
    else
        setFixedSize(GlassFonts::length(30), GlassFonts::length(26));
    refreshIcon();
}

void SymbolButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::EnabledChange)
        refreshIcon();
    QPushButton::changeEvent(event);
}

void SymbolButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    if (!hasFocus() || !m_keyboardFocus)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(GlassPalette::accentSymbol(palette()), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
}

void SymbolButton::focusInEvent(QFocusEvent *event)
{
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
        event->reason() == Qt::BacktabFocusReason || event->reason() == Qt::ShortcutFocusReason;
    QPushButton::focusInEvent(event);
}

void SymbolButton::refreshIcon()
{
    QColor color = GlassPalette::color(palette(), m_tone);
    if (!isEnabled())
        color = GlassPalette::withOpacity(color, 0.35);
    QIcon icon;
    const QPixmap pixmap =
        SymbolIcon::pixmap(m_symbol, iconSize().width(), color, devicePixelRatioF());
    // The same picture for every mode: the disabled look is already in the colour.
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Disabled);
    setIcon(icon);
}
