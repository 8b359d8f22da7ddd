#include "ui/history/RecordList.h"

#include "ui/glass/AccessibleRole.h"
#include "ui/history/HistoryTexts.h"
#include "ui/history/RecordRow.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int margin = 6;
constexpr int spacing = 6;

} // namespace

RecordList::RecordList(QScrollArea *area) : QWidget(area), m_area(area)
{
    AccessibleRole::set(this, QAccessible::List);
    setAccessibleName(HistoryTexts::recordsName());
    setAutoFillBackground(false);
    area->setWidget(this);
    area->viewport()->installEventFilter(this);
    connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this, &RecordList::placeRows);
}

void RecordList::setRecords(const QList<HistoryRecord> &records)
{
    m_records = records;
    const int count =
        int(qMin<qsizetype>(records.size(), QWIDGETSIZE_MAX / (rowHeight() + spacing)));
    setMinimumHeight(count == 0 ? 0 : 2 * margin + count * (rowHeight() + spacing) - spacing);
    placeRows();
}

bool RecordList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        placeRows();
    return QWidget::eventFilter(watched, event);
}

void RecordList::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeRows();
}

// Measured once on a row of its own: fonts come from the desktop.
int RecordList::rowHeight()
{
    if (m_rowHeight == 0) {
        HistoryRecord sample;
        sample.listName = QStringLiteral("作业");
        sample.items = {QStringLiteral("语文")};
        sample.written = 1;
        sample.skipped = 1;
        m_rowHeight = RecordRow(sample, this).sizeHint().height();
    }
    return m_rowHeight;
}

// The row already made for this very record, or a new one.
RecordRow *RecordList::takeRow(const HistoryRecord &record)
{
    for (auto row = m_rows.find(record.id); row != m_rows.end() && row.key() == record.id; ++row) {
        if ((*row)->record() == record) {
            RecordRow *kept = *row;
            m_rows.erase(row);
            return kept;
        }
    }
    auto *row = new RecordRow(record, this);
    connect(row, &RecordRow::rewriteRequested, this, &RecordList::rewriteRequested);
    connect(row, &RecordRow::revealRequested, this, &RecordList::revealRequested);
    connect(row, &RecordRow::deleteRequested, this, &RecordList::deleteRequested);
    return row;
}

void RecordList::placeRows()
{
    const int pitch = rowHeight() + spacing;
    const int top = m_area->verticalScrollBar()->value();
    const int bottom = top + m_area->viewport()->height();
    // One row either side, so a row scrolling in is there before it shows.
    const qsizetype first = qMax(0, (top - margin) / pitch - 1);
    const qsizetype last = qMin<qsizetype>(m_records.size() - 1, (bottom - margin) / pitch + 1);
    QMultiHash<QUuid, RecordRow *> placed;
    for (qsizetype i = first; i <= last; ++i) {
        RecordRow *row = takeRow(m_records[i]);
        row->setGeometry(margin, margin + int(i) * pitch, width() - 2 * margin, rowHeight());
        row->show();
        placed.insert(row->record().id, row);
    }
    // The row whose button removed its record is still in its click: it goes on the next turn.
    for (RecordRow *gone : std::as_const(m_rows)) {
        gone->hide();
        gone->deleteLater();
    }
    m_rows = placed;
}
