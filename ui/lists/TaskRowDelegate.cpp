#include "ui/lists/TaskRowDelegate.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/lists/ListsTexts.h"
#include "ui/lists/TaskListModel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int buttonSide = 20;
constexpr int symbolSide = 17;
constexpr int verticalPadding = 7;
constexpr int lineGap = 2;
constexpr int textLeft = 40;
constexpr int textRightMargin = 40;

QFont titleFont()
{
    return GlassFonts::font(GlassFonts::Style::Body);
}

QFont dueFont()
{
    return GlassFonts::font(GlassFonts::Style::Caption);
}

// The extra-small caption.
QFont sourceFont()
{
    return GlassFonts::system(10);
}

bool hasSource(const TaskItem &task)
{
    return task.source && !task.source->isEmpty();
}

QColor dueColor(const QDateTime &due, const QPalette &palette)
{
    switch (ListsTexts::dueTone(due)) {
    case ListsTexts::DueTone::Overdue:
        return GlassPalette::overdue(palette);
    case ListsTexts::DueTone::Today:
        return GlassPalette::dueToday(palette);
    case ListsTexts::DueTone::Later:
        break;
    }
    return GlassPalette::secondary(palette);
}

} // namespace

TaskRowDelegate::TaskRowDelegate(const TaskListModel *model, QObject *parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

QRect TaskRowDelegate::circleRect(const QRect &row)
{
    return QRect(row.left() + 12, row.center().y() - buttonSide / 2 + 1, buttonSide, buttonSide);
}

QRect TaskRowDelegate::trashRect(const QRect &row)
{
    return QRect(row.right() - 12 - buttonSide, row.center().y() - buttonSide / 2 + 1, buttonSide,
                 buttonSide);
}

QSize TaskRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const TaskItem &task = m_model->task(index.row());
    int height = 2 * verticalPadding + QFontMetrics(titleFont()).height();
    if (task.due)
        height += lineGap + QFontMetrics(dueFont()).height();
    if (hasSource(task))
        height += lineGap + QFontMetrics(sourceFont()).height();
    // Every row fits its two buttons, and the list leaves a sliver between rows.
    return QSize(option.rect.width(), qMax(height, buttonSide + 2 * verticalPadding) + 4);
}

void TaskRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const TaskItem &task = m_model->task(index.row());
    const QPalette &palette = option.palette;
    const QRect row = option.rect.adjusted(0, 2, 0, -2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    QPainterPath plate;
    plate.addRoundedRect(QRectF(row), 8, 8);
    const bool hovered = option.state & QStyle::State_MouseOver;
    painter->fillPath(
        plate, GlassPalette::withOpacity(GlassPalette::primary(palette), hovered ? 0.07 : 0.04));
    // The entry the keyboard is on, while the list has the focus.
    if (option.state & QStyle::State_HasFocus) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(row).adjusted(1, 1, -1, -1), 7, 7);
        painter->setPen(QPen(GlassPalette::accentSymbol(palette), 2));
        painter->drawPath(ring);
    }

    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRect circle = circleRect(option.rect);
    const QColor circleColor =
        task.done ? GlassPalette::accentSymbol(palette) : GlassPalette::secondary(palette);
    const QString circleSymbol =
        task.done ? QStringLiteral("task-done-symbolic") : QStringLiteral("task-open-symbolic");
    const QRect circleSymbolRect(circle.center().x() - symbolSide / 2,
                                 circle.center().y() - symbolSide / 2, symbolSide, symbolSide);
    painter->drawPixmap(circleSymbolRect,
                        SymbolIcon::pixmap(circleSymbol, symbolSide, circleColor, ratio));
    const QRect trash = trashRect(option.rect);
    const int trashSide = 15;
    painter->drawPixmap(QRect(trash.center().x() - trashSide / 2,
                              trash.center().y() - trashSide / 2, trashSide, trashSide),
                        SymbolIcon::pixmap(QStringLiteral("user-trash-symbolic"), trashSide,
                                           GlassPalette::secondary(palette), ratio));

    // The text block, centred vertically in the row.
    const QFontMetrics titleMetrics(titleFont());
    const QFontMetrics dueMetrics(dueFont());
    const QFontMetrics sourceMetrics(sourceFont());
    int blockHeight = titleMetrics.height();
    if (task.due)
        blockHeight += lineGap + dueMetrics.height();
    if (hasSource(task))
        blockHeight += lineGap + sourceMetrics.height();
    const int left = row.left() + textLeft;
    const int width = qMax(0, row.right() - textRightMargin - left);
    int y = row.top() + (row.height() - blockHeight) / 2;

    QFont title = titleFont();
    title.setStrikeOut(task.done);
    painter->setFont(title);
    painter->setPen(task.done ? GlassPalette::secondary(palette) : GlassPalette::primary(palette));
    painter->drawText(QRect(left, y, width, titleMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      titleMetrics.elidedText(task.title, Qt::ElideRight, width));
    y += titleMetrics.height();

    if (task.due) {
        y += lineGap;
        painter->setFont(dueFont());
        painter->setPen(dueColor(*task.due, palette));
        painter->drawText(QRect(left, y, width, dueMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, ListsTexts::dueText(*task.due));
        y += dueMetrics.height();
    }
    if (hasSource(task)) {
        y += lineGap;
        painter->setFont(sourceFont());
        painter->setPen(GlassPalette::tertiary(palette));
        painter->drawText(QRect(left, y, width, sourceMetrics.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          sourceMetrics.elidedText(*task.source, Qt::ElideMiddle, width));
    }
    painter->restore();
}

bool TaskRowDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                  const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            const QUuid id = index.data(TaskListModel::TaskIdRole).toUuid();
            if (circleRect(option.rect).contains(at)) {
                emit toggleRequested(id);
                return true;
            }
            if (trashRect(option.rect).contains(at)) {
                emit deleteRequested(id);
                return true;
            }
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
