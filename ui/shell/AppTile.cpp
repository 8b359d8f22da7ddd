#include "ui/shell/AppTile.h"

#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"

#include <QGraphicsDropShadowEffect>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int side = 30;
constexpr int markSize = 17;

} // namespace

AppTile::AppTile(QWidget *parent) : QWidget(parent)
{
    setFixedSize(side, side);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setColor(QColor::fromRgbF(0.3f, 0.45f, 1.0f, 0.35f));
    shadow->setBlurRadius(12);
    shadow->setOffset(0, 3);
    setGraphicsEffect(shadow);
}

void AppTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QLinearGradient gradient = GlassPalette::brandGradient(QRectF(rect()));
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), 9, 9);
    painter.fillPath(path, gradient);
    painter.drawPixmap((side - markSize) / 2, (side - markSize) / 2,
                       SymbolIcon::pixmap(QStringLiteral("slatebook-mark"), markSize, Qt::white,
                                          devicePixelRatioF()));
}
