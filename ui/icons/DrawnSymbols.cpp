#include "ui/icons/DrawnSymbols.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QtMath>
#include <functional>

namespace {

constexpr qreal stroke = 1.8;

QPainterPath strokedOutline(const QPainterPath &path, qreal width = stroke)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath roundedRect(QRectF rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// An open arc around `centre` with an arrowhead at its end, for the two circular arrows.
QPainterPath arrowArc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees)
{
    QPainterPath path;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcMoveTo(box, startDegrees);
    path.arcTo(box, startDegrees, sweepDegrees);
    const qreal end = qDegreesToRadians(startDegrees + sweepDegrees);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    // The tangent in screen coordinates, pointing along the sweep.
    const qreal sign = sweepDegrees < 0 ? -1 : 1;
    const QPointF along(-qSin(end) * sign, -qCos(end) * sign);
    const QPointF across(along.y(), -along.x());
    path.moveTo(tip - 3.2 * along + 3.2 * across);
    path.lineTo(tip);
    path.lineTo(tip - 3.2 * along - 3.2 * across);
    return path;
}

QPainterPath trayArrowDown(bool filled)
{
    QPainterPath tray = polyline({{3, 13}, {3, 18}, {4.5, 20}, {19.5, 20}, {21, 18}, {21, 13}});
    QPainterPath lip = polyline({{3, 13}, {8, 13}, {9.5, 15.5}, {14.5, 15.5}, {16, 13}, {21, 13}});
    QPainterPath arrow = polyline({{12, 3}, {12, 11.5}});
    arrow.addPath(polyline({{8.5, 8}, {12, 11.5}, {15.5, 8}}));
    QPainterPath shape = strokedOutline(tray).united(strokedOutline(lip)).united(strokedOutline(arrow));
    if (filled) {
        QPainterPath body = polyline({{3, 13}, {8, 13}, {9.5, 15.5}, {14.5, 15.5}, {16, 13}, {21, 13},
                                      {21, 18}, {19.5, 20}, {4.5, 20}, {3, 18}});
        body.closeSubpath();
        shape = shape.united(body);
    }
    return shape;
}

QPainterPath listBulletRectangle()
{
    QPainterPath shape = strokedOutline(roundedRect(QRectF(2.5, 4, 19, 16), 3));
    for (qreal y : {9.0, 12.0, 15.0}) {
        shape = shape.united(circle({7, y}, 1.1));
        shape = shape.united(strokedOutline(polyline({{10, y}, {17.5, y}}), 1.6));
    }
    return shape;
}

QPainterPath clockArrowCirclepath()
{
    QPainterPath shape = strokedOutline(arrowArc({12, 12}, 8.5, 160, -320));
    return shape.united(strokedOutline(polyline({{12, 7.5}, {12, 12}, {15, 14}})));
}

QPainterPath gearshape()
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: two points on the outer radius, then two on the root radius.
        const qreal angle = (i - 0.5) * 2 * M_PI / (teeth * 4);
        const qreal radius = (i % 4 < 2) ? 10 : 7.6;
        const QPointF point(12 + radius * qCos(angle), 12 + radius * qSin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    return gear.subtracted(circle({12, 12}, 3.4));
}

QPainterPath infoCircle()
{
    QPainterPath shape = strokedOutline(circle({12, 12}, 9));
    shape = shape.united(circle({12, 7.6}, 1.3));
    return shape.united(strokedOutline(polyline({{12, 11}, {12, 17}}), 2));
}

QPainterPath checklistChecked()
{
    QPainterPath shape;
    for (qreal y : {6.0, 12.0, 18.0}) {
        shape = shape.united(strokedOutline(polyline({{2.5, y}, {4.5, y + 2}, {8, y - 2}}), 2));
        shape = shape.united(strokedOutline(polyline({{11, y}, {21.5, y}}), 2));
    }
    return shape;
}

QPainterPath lockShield()
{
    QPainterPath shield;
    shield.moveTo(12, 2.5);
    shield.lineTo(20, 5.5);
    shield.lineTo(20, 11);
    shield.cubicTo(20, 16, 16.5, 19.5, 12, 21.5);
    shield.cubicTo(7.5, 19.5, 4, 16, 4, 11);
    shield.lineTo(4, 5.5);
    shield.closeSubpath();
    QPainterPath shape = strokedOutline(shield);
    shape = shape.united(roundedRect(QRectF(8.5, 11, 7, 5.5), 1));
    QPainterPath shackle;
    shackle.moveTo(10, 11);
    shackle.lineTo(10, 9.5);
    shackle.arcTo(QRectF(10, 7.5, 4, 4), 180, -180);
    shackle.lineTo(14, 11);
    return shape.united(strokedOutline(shackle, 1.5));
}

QPainterPath photoOnRectangleAngled()
{
    QTransform tilt;
    tilt.translate(12, 12);
    tilt.rotate(-9);
    tilt.translate(-12, -12);
    QPainterPath back = tilt.map(roundedRect(QRectF(6, 3.5, 15, 11.5), 2));
    QPainterPath front = roundedRect(QRectF(2.5, 8, 15.5, 12), 2);
    QPainterPath shape = strokedOutline(back).subtracted(front.united(strokedOutline(front)));
    shape = shape.united(strokedOutline(front));
    QPainterPath hills = polyline({{3.5, 18.5}, {8, 14}, {11, 17}, {13.5, 15}, {17, 18.5}});
    hills.closeSubpath();
    shape = shape.united(hills);
    return shape.united(circle({13.5, 11.5}, 1.4));
}

QPainterPath plus()
{
    return strokedOutline(polyline({{12, 4}, {12, 20}}), 2).united(strokedOutline(polyline({{4, 12}, {20, 12}}), 2));
}

QPainterPath arrowClockwise()
{
    return strokedOutline(arrowArc({12, 12.5}, 7.5, 120, -300), 2);
}

QPainterPath textViewfinder()
{
    QPainterPath shape;
    const QList<QPainterPath> corners = {
        polyline({{3, 8}, {3, 3}, {8, 3}}), polyline({{16, 3}, {21, 3}, {21, 8}}),
        polyline({{21, 16}, {21, 21}, {16, 21}}), polyline({{8, 21}, {3, 21}, {3, 16}}),
    };
    for (const QPainterPath &corner : corners)
        shape = shape.united(strokedOutline(corner));
    for (auto [y, right] : {std::pair{8.5, 16.5}, {12.0, 16.5}, {15.5, 13.0}})
        shape = shape.united(strokedOutline(polyline({{7.5, y}, {right, y}}), 1.6));
    return shape;
}

QPainterPath trash()
{
    QPainterPath shape = strokedOutline(polyline({{3.5, 6}, {20.5, 6}}));
    shape = shape.united(strokedOutline(polyline({{9, 6}, {9, 3.5}, {15, 3.5}, {15, 6}})));
    shape = shape.united(strokedOutline(polyline({{5.5, 6}, {6.8, 20.5}, {17.2, 20.5}, {18.5, 6}})));
    for (qreal x : {10.0, 14.0})
        shape = shape.united(strokedOutline(polyline({{x, 10}, {x, 17}}), 1.5));
    return shape;
}

QPainterPath checkmarkCircleFill()
{
    return circle({12, 12}, 10).subtracted(strokedOutline(polyline({{7.5, 12.5}, {10.5, 15.5}, {16.5, 9}}), 2.2));
}

QPainterPath chevronRight()
{
    return strokedOutline(polyline({{9, 5}, {16, 12}, {9, 19}}), 2);
}

QPainterPath circleOutline()
{
    return strokedOutline(circle({12, 12}, 9));
}

QPainterPath plusCircle()
{
    QPainterPath shape = strokedOutline(circle({12, 12}, 9));
    shape = shape.united(strokedOutline(polyline({{12, 8}, {12, 16}})));
    return shape.united(strokedOutline(polyline({{8, 12}, {16, 12}})));
}

QPainterPath listBulletCircle()
{
    QPainterPath shape = strokedOutline(circle({12, 12}, 9.5), 1.6);
    for (qreal y : {8.5, 12.0, 15.5}) {
        shape = shape.united(circle({8.3, y}, 0.9));
        shape = shape.united(strokedOutline(polyline({{10.5, y}, {16, y}}), 1.4));
    }
    return shape;
}

QPainterPath bellShape()
{
    QPainterPath bell;
    bell.moveTo(5, 17);
    bell.lineTo(6.5, 14.5);
    bell.lineTo(6.5, 10.5);
    bell.cubicTo(6.5, 7, 8.8, 4.5, 12, 4.5);
    bell.cubicTo(15.2, 4.5, 17.5, 7, 17.5, 10.5);
    bell.lineTo(17.5, 14.5);
    bell.lineTo(19, 17);
    bell.closeSubpath();
    return bell;
}

QPainterPath bellBadge(bool filled)
{
    QPainterPath bell = bellShape();
    QPainterPath shape = filled ? bell.united(strokedOutline(bell)) : strokedOutline(bell);
    shape = shape.united(strokedOutline(polyline({{10.3, 19.8}, {13.7, 19.8}})));
    // The badge sits on the bell's shoulder, cut free of it.
    const QPainterPath badge = circle({18, 5.5}, 3.2);
    return shape.subtracted(circle({18, 5.5}, 4.6)).united(badge);
}

QPainterPath checklist()
{
    QPainterPath shape;
    for (qreal y : {6.0, 12.0, 18.0}) {
        shape = shape.united(strokedOutline(polyline({{2.5, y}, {4.5, y + 2}, {8, y - 2}}), 1.8));
        shape = shape.united(strokedOutline(polyline({{11, y}, {21.5, y}}), 1.8));
    }
    return shape;
}

QPainterPath arrowDownDoc()
{
    QPainterPath page = polyline({{14, 2.5}, {5.5, 2.5}, {5.5, 21.5}, {18.5, 21.5}, {18.5, 7}, {14, 2.5}});
    QPainterPath shape = strokedOutline(page).united(strokedOutline(polyline({{14, 2.5}, {14, 7}, {18.5, 7}}), 1.5));
    shape = shape.united(strokedOutline(polyline({{12, 9.5}, {12, 17.5}})));
    return shape.united(strokedOutline(polyline({{9, 14.5}, {12, 17.5}, {15, 14.5}})));
}

QPainterPath photo()
{
    QPainterPath frame = roundedRect(QRectF(2.5, 4.5, 19, 15), 2.5);
    QPainterPath shape = strokedOutline(frame);
    QPainterPath hills = polyline({{3.5, 18.5}, {9, 12.5}, {12.5, 16}, {15.5, 13.5}, {20.5, 18.5}});
    hills.closeSubpath();
    shape = shape.united(hills);
    return shape.united(circle({15.5, 9}, 1.6));
}

QPainterPath tray()
{
    QPainterPath outline = polyline({{3, 13}, {5.5, 5}, {18.5, 5}, {21, 13}, {21, 18}, {19.5, 20}, {4.5, 20}, {3, 18}});
    outline.closeSubpath();
    QPainterPath lip = polyline({{3, 13}, {8, 13}, {9.5, 15.5}, {14.5, 15.5}, {16, 13}, {21, 13}});
    return strokedOutline(outline, 1.6).united(strokedOutline(lip, 1.6));
}

QPainterPath squareArrowDownFill()
{
    QPainterPath box = polyline({{8, 9}, {4, 9}, {4, 21}, {20, 21}, {20, 9}, {16, 9}});
    QPainterPath shape = strokedOutline(box);
    QPainterPath body = roundedRect(QRectF(4, 9, 16, 12), 1.5);
    QPainterPath arrow = strokedOutline(polyline({{12, 2.5}, {12, 15}}), 2.2)
                             .united(strokedOutline(polyline({{8.5, 11.5}, {12, 15}, {15.5, 11.5}}), 2.2));
    shape = shape.united(body).subtracted(strokedOutline(arrow, 2.4).united(arrow));
    return shape.united(strokedOutline(polyline({{12, 2.5}, {12, 8}}), 2.2));
}

QPainterPath externaldriveFill()
{
    QPainterPath body = roundedRect(QRectF(2.5, 7, 19, 10.5), 2.5);
    QPainterPath shape = body.subtracted(circle({17.5, 14}, 1.2));
    return shape.subtracted(strokedOutline(polyline({{5.5, 14}, {11, 14}}), 1.4));
}

QPainterPath cameraViewfinder()
{
    QPainterPath shape;
    const QList<QPainterPath> corners = {
        polyline({{3, 8}, {3, 3}, {8, 3}}), polyline({{16, 3}, {21, 3}, {21, 8}}),
        polyline({{21, 16}, {21, 21}, {16, 21}}), polyline({{8, 21}, {3, 21}, {3, 16}}),
    };
    for (const QPainterPath &corner : corners)
        shape = shape.united(strokedOutline(corner));
    QPainterPath camera = roundedRect(QRectF(6.5, 9, 11, 7.5), 1.5);
    camera.addRect(QRectF(9.5, 7.5, 5, 2));
    return shape.united(camera.subtracted(circle({12, 12.7}, 2)));
}

QPainterPath arrowLeftArrowRight()
{
    QPainterPath shape = strokedOutline(polyline({{4, 8}, {19, 8}}));
    shape = shape.united(strokedOutline(polyline({{15.5, 4.5}, {19, 8}, {15.5, 11.5}})));
    shape = shape.united(strokedOutline(polyline({{20, 16}, {5, 16}})));
    return shape.united(strokedOutline(polyline({{8.5, 12.5}, {5, 16}, {8.5, 19.5}})));
}

const QHash<QString, std::function<QPainterPath()>> &drawings()
{
    static const QHash<QString, std::function<QPainterPath()>> table = {
        {QStringLiteral("tray.and.arrow.down"), [] { return trayArrowDown(false); }},
        {QStringLiteral("tray.and.arrow.down.fill"), [] { return trayArrowDown(true); }},
        {QStringLiteral("list.bullet.rectangle"), listBulletRectangle},
        {QStringLiteral("clock.arrow.circlepath"), clockArrowCirclepath},
        {QStringLiteral("gearshape"), gearshape},
        {QStringLiteral("info.circle"), infoCircle},
        {QStringLiteral("checklist.checked"), checklistChecked},
        {QStringLiteral("lock.shield"), lockShield},
        {QStringLiteral("photo.on.rectangle.angled"), photoOnRectangleAngled},
        {QStringLiteral("plus"), plus},
        {QStringLiteral("arrow.clockwise"), arrowClockwise},
        {QStringLiteral("text.viewfinder"), textViewfinder},
        {QStringLiteral("trash"), trash},
        {QStringLiteral("checkmark.circle.fill"), checkmarkCircleFill},
        {QStringLiteral("chevron.right"), chevronRight},
        {QStringLiteral("circle"), circleOutline},
        {QStringLiteral("plus.circle"), plusCircle},
        {QStringLiteral("list.bullet.circle"), listBulletCircle},
        {QStringLiteral("bell.badge"), [] { return bellBadge(false); }},
        {QStringLiteral("bell.badge.fill"), [] { return bellBadge(true); }},
        {QStringLiteral("checklist"), checklist},
        {QStringLiteral("arrow.down.doc"), arrowDownDoc},
        {QStringLiteral("photo"), photo},
        {QStringLiteral("tray"), tray},
        {QStringLiteral("gearshape.fill"), gearshape},
        {QStringLiteral("square.and.arrow.down.fill"), squareArrowDownFill},
        {QStringLiteral("externaldrive.fill"), externaldriveFill},
        {QStringLiteral("camera.viewfinder"), cameraViewfinder},
        {QStringLiteral("arrow.left.arrow.right"), arrowLeftArrowRight},
    };
    return table;
}

class DrawnSymbolEngine : public QIconEngine {
public:
    explicit DrawnSymbolEngine(QPainterPath shape)
        : m_shape(std::move(shape))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        painter->scale(side / 24, side / 24);
        painter->fillPath(m_shape, mode == QIcon::Disabled ? QColor(0, 0, 0, 110) : QColor(Qt::black));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new DrawnSymbolEngine(m_shape); }

private:
    QPainterPath m_shape;
};

} // namespace

namespace DrawnSymbols {

bool has(const QString &symbol)
{
    return drawings().contains(symbol);
}

QIcon icon(const QString &symbol)
{
    const auto drawing = drawings().constFind(symbol);
    if (drawing == drawings().constEnd())
        return {};
    return QIcon(new DrawnSymbolEngine((*drawing)()));
}

} // namespace DrawnSymbols
