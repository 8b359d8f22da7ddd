#include "ui/history/RecordRow.h"

#include "ui/glass/AccessibleRole.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/SymbolButton.h"
#include "ui/glass/ToneLabel.h"
#include "ui/history/HistoryTexts.h"
#include "ui/history/Thumbnails.h"
#include "ui/icons/SymbolIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

using GlassPalette::Tone;

namespace {

constexpr int thumbnailSide = 64;

// A count on a capsule of the accent or the secondary colour at 15 %.
class Badge : public QLabel {
public:
    Badge(const QString &text, Tone tone, QWidget *parent) : QLabel(text, parent), m_tone(tone)
    {
        setFont(GlassFonts::font(GlassFonts::Style::Caption));
        setContentsMargins(6, 1, 6, 1);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath capsule;
        const QRectF box = QRectF(rect());
        capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
        const QColor fill = m_tone == Tone::Accent ? GlassPalette::accent(palette())
                                                   : GlassPalette::primary(palette());
        painter.fillPath(
            capsule, GlassPalette::withOpacity(fill, m_tone == Tone::Accent ? 0.15 : 0.15 * 0.6));
        painter.end();
        QLabel::paintEvent(event);
    }

private:
    Tone m_tone;
};

} // namespace

// The 64 × 64 picture, rounded to radius 8; a faint plate with "photo" stands in for it.
class RecordRow::ThumbnailView : public QWidget {
public:
    explicit ThumbnailView(RecordRow *row) : QWidget(row), m_row(row)
    {
        setObjectName(QStringLiteral("recordThumbnail"));
        setFixedSize(thumbnailSide, thumbnailSide);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        QPainterPath clip;
        clip.addRoundedRect(QRectF(rect()), 8, 8);
        if (!m_row->m_thumbnail.isNull()) {
            painter.setClipPath(clip);
            painter.drawImage(rect(), m_row->m_thumbnail);
            paintCount(painter);
            return;
        }
        painter.fillPath(clip, GlassPalette::withOpacity(GlassPalette::secondary(palette()), 0.12));
        // A bare plate while the picture is being read.
        if (!m_row->m_waiting) {
            const int side = 22;
            // Text that was pasted or dropped has no picture: a text symbol says so.
            const QString symbol = m_row->m_record.fromText
                ? QStringLiteral("view-list-bullet-symbolic")
                : QStringLiteral("image-x-generic-symbolic");
            painter.drawPixmap(QRect((width() - side) / 2, (height() - side) / 2, side, side),
                               SymbolIcon::pixmap(symbol, side, GlassPalette::secondary(palette()),
                                                  devicePixelRatioF()));
        }
        paintCount(painter);
    }

    // Several photos in one import: their number in the corner of the first one's picture.
    void paintCount(QPainter &painter)
    {
        const qsizetype count = m_row->m_record.imagePaths().size();
        if (count < 2)
            return;
        painter.setClipping(false);
        const QString text = HistoryTexts::pictureCount(count);
        painter.setFont(GlassFonts::font(GlassFonts::Style::Caption));
        const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-5, -1, 5, 1);
        const QRectF capsule(width() - box.width() - 3, height() - box.height() - 3, box.width(),
                             box.height());
        QPainterPath path;
        path.addRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);
        painter.fillPath(path, GlassPalette::withOpacity(Qt::black, 0.55));
        painter.setPen(Qt::white);
        painter.drawText(capsule, Qt::AlignCenter, text);
    }

private:
    RecordRow *m_row;
};

RecordRow::RecordRow(const HistoryRecord &record, QWidget *parent)
    : QWidget(parent), m_record(record), m_thumbnailView(new ThumbnailView(this))
{
    AccessibleRole::set(this, QAccessible::ListItem);
    setAccessibleName(HistoryTexts::recordName(m_record.listName, m_record.date, m_record.items));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(12);
    layout->addWidget(m_thumbnailView, 0, Qt::AlignTop);
    layout->addWidget(makeMiddleColumn(), 1, Qt::AlignTop);
    layout->addWidget(makeRightColumn(), 0, Qt::AlignTop);

    if (m_record.imagePath && !m_record.imagePath->isEmpty()) {
        m_side = qRound(thumbnailSide * devicePixelRatioF());
        m_waiting = true;
        connect(&Thumbnails::shared(), &Thumbnails::ready, this,
                [this](const QString &path, int side) {
                    if (m_waiting && side == m_side && path == *m_record.imagePath)
                        takeThumbnail();
                });
        takeThumbnail();
    }
}

RecordRow::~RecordRow()
{
    if (m_waiting)
        Thumbnails::shared().forget(*m_record.imagePath, m_side);
}

QWidget *RecordRow::makeMiddleColumn()
{
    auto *column = new QWidget(this);
    auto *stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(4);

    auto *line = new QHBoxLayout;
    line->setSpacing(8);
    auto *name = new QLabel(m_record.listName, column);
    name->setTextFormat(Qt::PlainText);
    name->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    line->addWidget(name, 0, Qt::AlignVCenter);
    m_time = new ToneLabel(HistoryTexts::time(m_record.date), Tone::Secondary,
                           GlassFonts::font(GlassFonts::Style::Caption), column);
    m_time->setObjectName(QStringLiteral("recordTimeLabel"));
    line->addWidget(m_time, 0, Qt::AlignVCenter);
    if (m_record.written >= 1) {
        m_written = new Badge(HistoryTexts::writtenBadge(m_record.written), Tone::Accent, column);
        m_written->setObjectName(QStringLiteral("writtenBadge"));
        line->addWidget(m_written, 0, Qt::AlignVCenter);
    }
    if (m_record.skipped >= 1) {
        m_skipped =
            new Badge(HistoryTexts::skippedBadge(m_record.skipped), Tone::Secondary, column);
        m_skipped->setObjectName(QStringLiteral("skippedBadge"));
        line->addWidget(m_skipped, 0, Qt::AlignVCenter);
    }
    line->addStretch();
    stack->addLayout(line);

    m_preview = new ToneLabel(HistoryTexts::preview(m_record.items), Tone::Secondary,
                              GlassFonts::font(GlassFonts::Style::Callout), column);
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    m_preview->setTextFormat(Qt::PlainText);
    m_preview->setWordWrap(true);
    // Two lines, the rest cut: every row has the same height.
    m_preview->setFixedHeight(2 * m_preview->fontMetrics().lineSpacing() + 2);
    m_preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_preview->setMinimumWidth(120);
    stack->addWidget(m_preview);
    return column;
}

QWidget *RecordRow::makeRightColumn()
{
    auto *column = new QWidget(this);
    auto *stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(6);
    m_rewrite = new QPushButton(HistoryTexts::rewriteButton(), column);
    m_rewrite->setObjectName(QStringLiteral("rewriteButton"));
    m_rewrite->setEnabled(!m_record.items.isEmpty());
    stack->addWidget(m_rewrite, 0, Qt::AlignRight);

    auto *small = new QHBoxLayout;
    small->setSpacing(8);
    m_reveal = new QPushButton(HistoryTexts::revealButton(), column);
    m_reveal->setObjectName(QStringLiteral("revealButton"));
    m_reveal->setFont(GlassFonts::font(GlassFonts::Style::Caption));
    m_reveal->setEnabled(m_record.imagePath.has_value());
    if (m_record.fromText)
        m_reveal->setToolTip(HistoryTexts::noPicture());
    small->addWidget(m_reveal);
    m_delete =
        new SymbolButton(QStringLiteral("user-trash-symbolic"), Tone::Secondary, true, column);
    m_delete->setObjectName(QStringLiteral("deleteRecordButton"));
    m_delete->setToolTip(HistoryTexts::deleteRecord());
    m_delete->setAccessibleName(m_delete->toolTip());
    small->addWidget(m_delete);
    stack->addLayout(small);

    connect(m_rewrite, &QPushButton::clicked, this, [this] { emit rewriteRequested(m_record); });
    connect(m_reveal, &QPushButton::clicked, this, [this] { emit revealRequested(m_record); });
    connect(m_delete, &QPushButton::clicked, this, [this] { emit deleteRequested(m_record); });
    return column;
}

void RecordRow::takeThumbnail()
{
    const std::optional<QImage> image = Thumbnails::shared().thumbnail(*m_record.imagePath, m_side);
    if (!image)
        return;
    m_waiting = false;
    m_thumbnail = *image;
    m_thumbnail.setDevicePixelRatio(qreal(m_side) / thumbnailSide);
    if (m_thumbnail.isNull())
        m_thumbnailView->setToolTip(HistoryTexts::pictureMissing(*m_record.imagePath));
    m_thumbnailView->update();
}

void RecordRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()), 10, 10);
    painter.fillPath(plate, GlassPalette::withOpacity(GlassPalette::primary(palette()), 0.045));
}
