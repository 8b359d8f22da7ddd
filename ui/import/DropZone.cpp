#include "ui/import/DropZone.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/import/ImportTexts.h"

#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr qreal cornerRadius = 10;
constexpr int imagePadding = 6;
constexpr int hintSymbolSize = 38;
constexpr int hintSpacing = 8;
constexpr int pagerHeight = 28;

// The local files of a drag, in the order they were dropped.
QStringList localFiles(const QMimeData *mime)
{
    QStringList files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

// Text to parse: only from a drag that brings neither files nor a picture (a browser's image
// drag carries its address as text too).
QString droppedText(const QMimeData *mime)
{
    if (!mime || mime->hasUrls() || mime->hasImage() || !mime->hasText())
        return {};
    const QString text = mime->text();
    return text.trimmed().isEmpty() ? QString() : text;
}

} // namespace

DropZone::DropZone(QWidget *parent)
    : QWidget(parent), m_pager(new QWidget(this)), m_previous(new QToolButton(m_pager)),
      m_pageLabel(new QLabel(m_pager)), m_next(new QToolButton(m_pager))
{
    setFixedSize(300, 340);
    setAcceptDrops(true);
    // Takes focus so that the keys page through several pictures; it draws its own focus ring.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(ImportTexts::pictureName());
    setAccessibleDescription(ImportTexts::pictureDescription());

    m_previous->setObjectName(QStringLiteral("previousImageButton"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setAutoRaise(true);
    m_previous->setToolTip(ImportTexts::previousPicture());
    m_previous->setAccessibleName(ImportTexts::previousPicture());
    m_pageLabel->setObjectName(QStringLiteral("imagePageLabel"));
    m_pageLabel->setFont(GlassFonts::font(GlassFonts::Style::Caption));
    m_next->setObjectName(QStringLiteral("nextImageButton"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setAutoRaise(true);
    m_next->setToolTip(ImportTexts::nextPicture());
    m_next->setAccessibleName(ImportTexts::nextPicture());
    auto *row = new QHBoxLayout(m_pager);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addStretch();
    row->addWidget(m_previous);
    row->addWidget(m_pageLabel);
    row->addWidget(m_next);
    row->addStretch();
    // The zone itself takes the keys, so Tab does not stop at each arrow.
    m_previous->setFocusPolicy(Qt::NoFocus);
    m_next->setFocusPolicy(Qt::NoFocus);
    m_pager->setGeometry(0, height() - pagerHeight - imagePadding, width(), pagerHeight);
    m_pager->setVisible(false);

    connect(m_previous, &QToolButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showPage(m_page + 1); });
}

void DropZone::setImages(const QList<QImage> &images)
{
    m_images = images;
    m_pager->setVisible(m_images.size() > 1);
    showPage(0);
}

void DropZone::showPage(qsizetype page)
{
    m_page = std::clamp<qsizetype>(page, 0, std::max<qsizetype>(m_images.size() - 1, 0));
    m_scaled = QPixmap();
    m_pageLabel->setText(ImportTexts::imagePage(m_page + 1, m_images.size()));
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < m_images.size());
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
    if (hasFocus()) {
        // The keyboard focus turns the outline solid and strong.
        pen = QPen(GlassPalette::accent(palette()), 2);
    }
    painter.setPen(pen);
    painter.drawRoundedRect(outline, cornerRadius, cornerRadius);

    if (m_images.isEmpty())
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
                       SymbolIcon::pixmap(QStringLiteral("image-x-generic-symbolic"),
                                          hintSymbolSize, GlassPalette::secondary(palette()),
                                          devicePixelRatioF()));
    y += hintSymbolSize + hintSpacing;
    painter.setFont(body);
    painter.setPen(GlassPalette::secondary(palette()));
    painter.drawText(QRect(0, y, width(), bodyHeight), Qt::AlignCenter, ImportTexts::dropPrompt());
    y += bodyHeight + hintSpacing;
    painter.setFont(caption);
    painter.setPen(GlassPalette::tertiary(palette()));
    painter.drawText(QRect(0, y, width(), captionHeight), Qt::AlignCenter, ImportTexts::dropHint());
}

void DropZone::paintImage(QPainter &painter)
{
    QRect room = rect().adjusted(imagePadding, imagePadding, -imagePadding, -imagePadding);
    if (m_pager->isVisible())
        room.setBottom(m_pager->geometry().top() - imagePadding);
    const QImage &image = m_images.at(m_page);
    const qreal ratio = devicePixelRatioF();
    const QSize fitted = image.size().scaled(room.size(), Qt::KeepAspectRatio);
    if (m_scaled.isNull() || m_scaled.size() != fitted * ratio) {
        m_scaled = QPixmap::fromImage(
            image.scaled(fitted * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_scaled.setDevicePixelRatio(ratio);
    }
    const QSize shown = m_scaled.deviceIndependentSize().toSize();
    painter.drawPixmap(room.left() + (room.width() - shown.width()) / 2,
                       room.top() + (room.height() - shown.height()) / 2, m_scaled);
}

void DropZone::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left && m_page > 0)
        return showPage(m_page - 1);
    if (event->key() == Qt::Key_Right && m_page + 1 < m_images.size())
        return showPage(m_page + 1);
    QWidget::keyPressEvent(event);
}

void DropZone::dragEnterEvent(QDragEnterEvent *event)
{
    if (localFiles(event->mimeData()).isEmpty() && droppedText(event->mimeData()).isEmpty())
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
    const QStringList files = localFiles(event->mimeData());
    const QString text = droppedText(event->mimeData());
    if (files.isEmpty() && text.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    if (!files.isEmpty())
        emit filesDropped(files);
    else
        emit textDropped(text);
}
