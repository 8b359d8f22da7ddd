#include "ui/history/HistoryView.h"

#include "bridges/desktop/DesktopServices.h"
#include "data/HistoryStore.h"
#include "data/TaskStore.h"
#include "ui/glass/DesktopAlert.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/StatusLine.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/history/HistoryRewrite.h"
#include "ui/history/HistoryTexts.h"
#include "ui/history/RecordList.h"

#include <QHBoxLayout>
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
    connect(&m_shared.history, &HistoryStore::saveFailed, m_status, &StatusLine::setFailure);
    connect(&m_shared.store, &TaskStore::saveFailed, m_status, &StatusLine::setFailure);
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
    m_status = new StatusLine(QStringLiteral("historyStatusLabel"),
                              GlassFonts::font(GlassFonts::Style::Caption), header);
    row->addWidget(m_status);
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
    m_list = new RecordList(scroll);
    // Queued: a delete removes the row whose button is still being clicked.
    connect(m_list, &RecordList::rewriteRequested, this, &HistoryView::rewrite,
            Qt::QueuedConnection);
    connect(m_list, &RecordList::revealRequested, this, &HistoryView::reveal, Qt::QueuedConnection);
    connect(m_list, &RecordList::deleteRequested, this, &HistoryView::remove, Qt::QueuedConnection);
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
    m_list->setRecords(records);
}

QString HistoryView::status() const
{
    return m_status->text();
}

void HistoryView::rewrite(const HistoryRecord &record)
{
    m_status->acknowledge();
    m_status->setStatus(HistoryRewrite::rewrite(m_shared, record));
}

void HistoryView::reveal(const HistoryRecord &record)
{
    if (record.imagePath)
        DesktopServices::revealFile(*record.imagePath);
}

void HistoryView::remove(const HistoryRecord &record)
{
    m_status->acknowledge();
    m_shared.history.remove(record.id);
}

void HistoryView::clearHistory()
{
    m_status->acknowledge();
    AlertRequest request;
    request.message = QStringLiteral("清空全部历史记录？");
    request.informativeText = QStringLiteral("只删除本机记录文件，不影响提醒事项里的内容。");
    request.buttons = {QStringLiteral("清空"), QStringLiteral("取消")};
    if (askInAlert(request, this).button == 0)
        m_shared.history.clear();
}
