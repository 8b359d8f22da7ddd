#include "ui/history/HistoryView.h"

#include "ui/glass/DesktopAlert.h"
#include "bridges/desktop/DesktopServices.h"
#include "data/HistoryStore.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/history/HistoryRewrite.h"
#include "ui/history/HistoryTexts.h"
#include "ui/history/RecordRow.h"

#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QVBoxLayout>

using GlassPalette::Tone;

HistoryView::HistoryView(SharedObjects shared, QWidget *parent) : QWidget(parent), m_shared(shared)
{
    setMinimumWidth(560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 6, 18, 18);
    layout->setSpacing(12);
    layout->addWidget(makeHeader());
    layout->addWidget(makeContent(), 1);
    connect(&m_shared.history, &HistoryStore::recordsChanged, this, &HistoryView::refresh);
    refresh();
}

QWidget *HistoryView::makeHeader()
{
    auto *header = new GlassPanel(14, std::nullopt, false, this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(10);
    row->addWidget(
        new SymbolView(QStringLiteral("document-open-recent-symbolic"), 16, Tone::Accent, header));
    auto *title = new QLabel(QStringLiteral("历史记录"), header);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    row->addWidget(title);
    m_count = new ToneLabel(QString(), Tone::Secondary,
                            GlassFonts::font(GlassFonts::Style::Caption), header);
    m_count->setObjectName(QStringLiteral("historyCountLabel"));
    row->addWidget(m_count);
    row->addStretch();
    m_statusLabel = new ToneLabel(QString(), Tone::Secondary,
                                  GlassFonts::font(GlassFonts::Style::Caption), header);
    m_statusLabel->setObjectName(QStringLiteral("historyStatusLabel"));
    m_statusLabel->setTextFormat(Qt::PlainText);
    row->addWidget(m_statusLabel);
    m_openFolder = new QPushButton(QStringLiteral("打开数据目录"), header);
    m_openFolder->setObjectName(QStringLiteral("historyOpenFolderButton"));
    row->addWidget(m_openFolder);
    m_clear = new QPushButton(QStringLiteral("清空历史"), header);
    m_clear->setObjectName(QStringLiteral("clearHistoryButton"));
    row->addWidget(m_clear);

    connect(m_openFolder, &QPushButton::clicked, this,
            [this] { DesktopServices::openFolder(m_shared.history.dir()); });
    connect(m_clear, &QPushButton::clicked, this, &HistoryView::clearHistory);
    return header;
}

QWidget *HistoryView::makeContent()
{
    auto *panel = new GlassPanel(14, std::nullopt, false, this);
    m_pages = new QStackedLayout(panel);
    m_emptyState = makeEmptyState();
    m_pages->addWidget(m_emptyState);

    auto *scroll = new QScrollArea(panel);
    scroll->setObjectName(QStringLiteral("recordsScrollArea"));
    GlassScrollArea::configure(*scroll);
    m_list = new QWidget(scroll);
    m_rowsLayout = new QVBoxLayout(m_list);
    m_rowsLayout->setContentsMargins(6, 6, 6, 6);
    m_rowsLayout->setSpacing(6);
    m_rowsLayout->addStretch();
    scroll->setWidget(m_list);
    m_list->setAutoFillBackground(false);
    m_pages->addWidget(scroll);
    return panel;
}

QWidget *HistoryView::makeEmptyState()
{
    auto *empty = new QWidget(this);
    empty->setObjectName(QStringLiteral("historyEmptyState"));
    auto *stack = new QVBoxLayout(empty);
    stack->setSpacing(8);
    stack->addStretch();
    stack->addWidget(
        new SymbolView(QStringLiteral("mail-inbox-symbolic"), 34, Tone::Tertiary, empty), 0,
        Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(QStringLiteral("还没有导入记录"), Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Body), empty),
                     0, Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(QStringLiteral("在「导入作业」页写入一次就会记录在这里"),
                                   Tone::Tertiary, GlassFonts::font(GlassFonts::Style::Caption),
                                   empty),
                     0, Qt::AlignHCenter);
    stack->addStretch();
    return empty;
}

void HistoryView::refresh()
{
    const QList<HistoryRecord> &records = m_shared.history.records();
    m_count->setText(HistoryTexts::count(records.size()));
    m_clear->setEnabled(!records.isEmpty());
    m_pages->setCurrentIndex(records.isEmpty() ? 0 : 1);

    // Rows of unchanged records are kept, with their thumbnails; the rest are made anew.
    QHash<QUuid, RecordRow *> old;
    for (RecordRow *row : m_rows)
        old.insert(row->record().id, row);
    QList<RecordRow *> rows;
    for (const HistoryRecord &record : records) {
        RecordRow *row = old.take(record.id);
        if (row && !(row->record() == record)) {
            old.insert(record.id, row);
            row = nullptr;
        }
        if (!row) {
            row = new RecordRow(record, m_list);
            // Queued: a delete removes the row whose button is still being clicked.
            connect(row, &RecordRow::rewriteRequested, this, &HistoryView::rewrite,
                    Qt::QueuedConnection);
            connect(row, &RecordRow::revealRequested, this, &HistoryView::reveal,
                    Qt::QueuedConnection);
            connect(row, &RecordRow::deleteRequested, this, &HistoryView::remove,
                    Qt::QueuedConnection);
        }
        rows.append(row);
    }
    for (RecordRow *gone : std::as_const(old)) {
        gone->hide();
        gone->deleteLater();
    }
    for (RecordRow *row : rows)
        m_rowsLayout->removeWidget(row);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_rowsLayout->insertWidget(int(i), rows[i]);
    m_rows = rows;
}

void HistoryView::setStatus(const QString &status)
{
    m_status = status;
    m_statusLabel->setText(status);
}

void HistoryView::rewrite(const HistoryRecord &record)
{
    setStatus(HistoryRewrite::rewrite(m_shared, record));
}

void HistoryView::reveal(const HistoryRecord &record)
{
    if (record.imagePath)
        DesktopServices::revealFile(*record.imagePath);
}

void HistoryView::remove(const HistoryRecord &record)
{
    m_shared.history.remove(record.id);
}

void HistoryView::clearHistory()
{
    AlertRequest request;
    request.message = QStringLiteral("清空全部历史记录？");
    request.informativeText = QStringLiteral("只删除本机记录文件，不影响提醒事项里的内容。");
    request.buttons = {QStringLiteral("清空"), QStringLiteral("取消")};
    if (askInAlert(request, this).button == 0)
        m_shared.history.clear();
}
