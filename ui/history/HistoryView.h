#pragma once

#include "data/HistoryRecord.h"
#include "ui/SharedObjects.h"

#include <QList>
#include <QWidget>

class QPushButton;
class QStackedLayout;
class RecordList;
class StatusLine;
class ToneLabel;

// `HistoryView`: the imports written from the import screen, newest first. A record can be
// written again into the app list of its name, its image shown in the file browser, or the
// record deleted; the whole history can be cleared. It redraws whenever the history changes.
// A change that could not be saved stays in its status line until the user acts again.
class HistoryView : public QWidget {
    Q_OBJECT

public:
    explicit HistoryView(SharedObjects shared, QWidget *parent = nullptr);

    QString status() const;

    // The actions of the rows and the header.
    void rewrite(const HistoryRecord &record);
    void reveal(const HistoryRecord &record);
    void remove(const HistoryRecord &record);
    // Asks first; only "清空" clears.
    void clearHistory();

private:
    QWidget *makeHeader();
    QWidget *makeContent();
    QWidget *makeEmptyState();
    void refresh();

    SharedObjects m_shared;

    ToneLabel *m_count = nullptr;
    StatusLine *m_status = nullptr;
    QPushButton *m_openFolder = nullptr;
    QPushButton *m_clear = nullptr;
    QStackedLayout *m_pages = nullptr;
    QWidget *m_emptyState = nullptr;
    RecordList *m_list = nullptr;
};
