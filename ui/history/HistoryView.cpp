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
    auto *rows = new QVBoxLayout(header);
    rows->setContentsMargins(14, 10, 14, 10);
    rows->setSpacing(6);
    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    rows->addLayout(row);
    row->addWidget(
        new SymbolView(QStringLiteral("document-open-recent-symbolic"), 16, Tone::Accent, header));
    auto *title = new QLabel(HistoryTexts::screenTitle(), header);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    row->addWidget(title);
    m_count = new ToneLabel(QString(), Tone::Secondary,
                            GlassFonts::font(GlassFonts::Style::Caption), header);
    m_count->setObjectName(QStringLiteral("historyCountLabel"));
    row->addWidget(m_count);
    row->addStretch();
    m_openFolder = new QPushButton(HistoryTexts::openFolder(), header);
    m_openFolder->setObjectName(QStringLiteral("historyOpenFolderButton"));
    row->addWidget(m_openFolder);
    m_clear = new QPushButton(HistoryTexts::clearHistory(), header);
    m_clear->setObjectName(QStringLiteral("clearHistoryButton"));
    row->addWidget(m_clear);
    // Under the title row, the full width: a failure naming a path has room there.
    m_status = new StatusLine(QStringLiteral("historyStatusLabel"),
                              GlassFonts::font(GlassFonts::Style::Caption), header);
    rows->addWidget(m_status);
    m_status->collapseWhenEmpty();

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
    stack->addWidget(new ToneLabel(HistoryTexts::noRecords(), Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Body), empty),
                     0, Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(HistoryTexts::noRecordsHint(), Tone::Tertiary,
                                   GlassFonts::font(GlassFonts::Style::Caption), empty),
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
    request.message = HistoryTexts::clearQuestion();
    request.informativeText = HistoryTexts::clearInformation();
    request.buttons = {HistoryTexts::clearButton(), HistoryTexts::cancelButton()};
    if (askInAlert(request, this).button == 0)
        m_shared.history.clear();
}
