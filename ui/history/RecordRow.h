#pragma once

#include "data/HistoryRecord.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QPushButton;
class SymbolButton;

// `RecordRow`: one import of the history. The picture, the list name with the time and the
// written / skipped badges, a preview of the items, and the buttons "再写入一次", "显示图片"
// and the trash can, on a faint rounded plate.
class RecordRow : public QWidget {
    Q_OBJECT

public:
    explicit RecordRow(const HistoryRecord &record, QWidget *parent = nullptr);
    ~RecordRow() override;

    const HistoryRecord &record() const { return m_record; }
    // The thumbnail once it is made; until then, and for no picture, the placeholder. A picture
    // that is gone or is no picture file (a FIFO, a folder) shows the placeholder with its
    // symbol and says so in its tooltip.
    bool showsPlaceholder() const { return m_thumbnail.isNull(); }

signals:
    void rewriteRequested(const HistoryRecord &record);
    void revealRequested(const HistoryRecord &record);
    void deleteRequested(const HistoryRecord &record);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    class ThumbnailView;
    QWidget *makeMiddleColumn();
    QWidget *makeRightColumn();
    void takeThumbnail();

    HistoryRecord m_record;
    QImage m_thumbnail;
    // The thumbnail's side in device pixels, and whether it is still awaited.
    int m_side = 0;
    bool m_waiting = false;
    ThumbnailView *m_thumbnailView;
    QLabel *m_time = nullptr;
    QLabel *m_written = nullptr;
    QLabel *m_skipped = nullptr;
    QLabel *m_preview = nullptr;
    QPushButton *m_rewrite = nullptr;
    QPushButton *m_reveal = nullptr;
    SymbolButton *m_delete = nullptr;
};
