#include "ui/import/DropZone.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal cornerRadius = 10;
constexpr int imagePadding = 6;
constexpr int hintSymbolSize = 38;
constexpr int hintSpacing = 8;

// The first URL of a drag, when it names a local file; only that one is ever loaded.
QString firstLocalFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty())
        return {};
    const QUrl url = mime->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

DropZone::DropZone(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(300, 340);
    setAcceptDrops(true);
}

void DropZone::setImage(const QImage &image)
{
    m_image = image;
    m_scaled = QPixmap();
    update();
}

void DropZone::setDropTargeted(bool targeted)
{
    if (m_dropTargeted == targeted)
        return;
    m_dropTargeted = targeted;
    update();
}

void DropZone::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPen pen(m_dropTargeted ? GlassPalette::accent(palette())
                            : GlassPalette::withOpacity(GlassPalette::secondary(palette()), 0.45),
             1.5);
    // Dash and gap of 6 pixels, in units of the pen width.
    pen.setDashPattern({6 / 1.5, 6 / 1.5});
    painter.setPen(pen);
    painter.drawRoundedRect(outline, cornerRadius, cornerRadius);

    if (m_image.isNull())
        paintHint(painter);
    else
        paintImage(painter);
}

void DropZone::paintHint(QPainter &painter)
{
    const QFont body = GlassFonts::font(GlassFonts::Style::Body);
    const QFont caption = GlassFonts::font(GlassFonts::Style::Caption);
    const int bodyHeight = QFontMetrics(body).height();
    const int captionHeight = QFontMetrics(caption).height();
    const int total = hintSymbolSize + hintSpacing + bodyHeight + hintSpacing + captionHeight;
    int y = (height() - total) / 2;

    painter.drawPixmap((width() - hintSymbolSize) / 2, y,
                       SymbolIcon::pixmap(QStringLiteral("photo.on.rectangle.angled"), hintSymbolSize,
                                          GlassPalette::secondary(palette()), devicePixelRatioF()));
    y += hintSymbolSize + hintSpacing;
    painter.setFont(body);
    painter.setPen(GlassPalette::secondary(palette()));
    painter.drawText(QRect(0, y, width(), bodyHeight), Qt::AlignCenter, QStringLiteral("把作业照片拖到这里"));
    y += bodyHeight + hintSpacing;
    painter.setFont(caption);
    painter.setPen(GlassPalette::tertiary(palette()));
    painter.drawText(QRect(0, y, width(), captionHeight), Qt::AlignCenter,
                     QStringLiteral("也可以直接粘贴截图（Ctrl+V）"));
}

void DropZone::paintImage(QPainter &painter)
{
    const QSize room = rect().adjusted(imagePadding, imagePadding, -imagePadding, -imagePadding).size();
    const qreal ratio = devicePixelRatioF();
    const QSize fitted = m_image.size().scaled(room, Qt::KeepAspectRatio);
    if (m_scaled.isNull() || m_scaled.size() != fitted * ratio) {
        m_scaled = QPixmap::fromImage(m_image.scaled(fitted * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    const QSize shown = m_scaled.deviceIndependentSize().toSize();
    painter.drawPixmap((width() - shown.width()) / 2, (height() - shown.height()) / 2, m_scaled);
}

void DropZone::dragEnterEvent(QDragEnterEvent *event)
{
    if (firstLocalFile(event->mimeData()).isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    setDropTargeted(true);
}

void DropZone::dragLeaveEvent(QDragLeaveEvent *event)
{
    setDropTargeted(false);
    QWidget::dragLeaveEvent(event);
}

void DropZone::dropEvent(QDropEvent *event)
{
    setDropTargeted(false);
    const QString path = firstLocalFile(event->mimeData());
    if (path.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    emit fileDropped(path);
}
