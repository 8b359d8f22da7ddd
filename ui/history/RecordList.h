#pragma once

#include "data/HistoryRecord.h"

#include <QList>
#include <QMultiHash>
#include <QUuid>
#include <QWidget>

class QScrollArea;
class RecordRow;

// The history's rows inside its scroll area. Only the records in view, and one either side, have
// a row: a history of thousands opens at once and holds a screenful of widgets, each asking for
// its thumbnail as it comes into view. Every row has the same height, so the list's height
// follows from the number of records.
class RecordList : public QWidget {
    Q_OBJECT

public:
    // Becomes the area's widget.
    explicit RecordList(QScrollArea *area);

    // Rows of records that are unchanged and still in view are kept, with their thumbnails.
    void setRecords(const QList<HistoryRecord> &records);

signals:
    void rewriteRequested(const HistoryRecord &record);
    void revealRequested(const HistoryRecord &record);
    void deleteRequested(const HistoryRecord &record);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int rowHeight();
    RecordRow *takeRow(const HistoryRecord &record);
    void placeRows();

    QScrollArea *m_area;
    QList<HistoryRecord> m_records;
    QMultiHash<QUuid, RecordRow *> m_rows;
    int m_rowHeight = 0;
};
