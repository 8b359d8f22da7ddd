#include "ui/glass/AppBackdrop.h"

#include "ui/glass/GlassPalette.h"
#include "ui/glass/WindowConfigurator.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

// The material under the window's content. How much of the window colour covers the
// desktop depends on what the desktop does behind a translucent window.
qreal materialOpacity(WindowConfigurator::Base base)
{
    switch (base) {
    case WindowConfigurator::Base::Opaque:
        return 1.0;
    case WindowConfigurator::Base::Translucent:
        return 0.9; // unblurred desktop detail would fight the text
    case WindowConfigurator::Base::Blurred:
        return 0.7;
    }
    return 1.0;
}

} // namespace

AppBackdrop::AppBackdrop(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QList<AppBackdrop::Glow> AppBackdrop::glows(const QSizeF &size)
{
    const qreal w = size.width();
    const qreal h = size.height();
    return {
        {QColor::fromRgbF(0.42f, 0.62f, 1.0f, 0.3f), QPointF(0, 0), 0.75 * w},
        {QColor::fromRgbF(0.55f, 0.42f, 1.0f, 0.22f), QPointF(w, h), 0.8 * w},
        {QColor::fromRgbF(0.3f, 0.85f, 0.75f, 0.14f), QPointF(0.72 * w, 0.18 * h), 0.5 * w},
    };
}

void AppBackdrop::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(),
                     GlassPalette::withOpacity(GlassPalette::backdropColor(palette()),
                                               materialOpacity(WindowConfigurator::baseOf(this))));

    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    // Centres and radii are in window coordinates, so a backdrop that does not start at the
    // window's corner still shows its part of the same glows.
    const QPoint origin = mapTo(window(), QPoint(0, 0));
    for (const Glow &glow : glows(window()->size())) {
        if (glow.radius <= 0)
            continue;
        const QPointF centre = glow.centre - origin;
        QRadialGradient gradient(centre, glow.radius);
        QColor clear = glow.color;
        clear.setAlpha(0);
        gradient.setColorAt(0, glow.color);
        gradient.setColorAt(1, clear);
        painter.fillRect(rect(), gradient);
    }
}
