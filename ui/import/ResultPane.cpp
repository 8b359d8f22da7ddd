#include "ui/import/ResultPane.h"

#include "ui/glass/AccessibleRole.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/SymbolButton.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/import/EntryRow.h"
#include "ui/import/ImportTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using GlassPalette::Tone;

ResultPane::ResultPane(QWidget *parent) : GlassPanel(14, std::nullopt, false, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(makeHeading());

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("rowsScrollArea"));
    // The rows sit on the glass, not on the scroll area's own base colour.
    GlassScrollArea::configure(*scroll);
    scroll->setMinimumHeight(320);
    auto *content = new QWidget(scroll);
    AccessibleRole::set(content, QAccessible::List);
    content->setAccessibleName(ImportTexts::rowsName());
    m_rowsLayout = new QVBoxLayout(content);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(6);
    m_emptyState = makeEmptyState();
    m_rowsLayout->addWidget(m_emptyState);
    m_rowsLayout->addStretch();
    scroll->setWidget(content);
    content->setAutoFillBackground(false); // setWidget turns it on
    layout->addWidget(scroll, 1);
}

QWidget *ResultPane::makeHeading()
{
    auto *heading = new QWidget(this);
    auto *row = new QHBoxLayout(heading);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto *title = new QLabel(ImportTexts::resultTitle(), heading);
    title->setFont(GlassFonts::font(GlassFonts::Style::Subheadline));
    row->addWidget(title);
    m_count = new ToneLabel(ImportTexts::pendingCount(0, 0), Tone::Secondary,
                            GlassFonts::font(GlassFonts::Style::Caption), heading);
    m_count->setObjectName(QStringLiteral("countLabel"));
    row->addWidget(m_count);
    row->addStretch();

    auto *add =
        new SymbolButton(QStringLiteral("list-add-symbolic"), Tone::Primary, false, heading);
    add->setObjectName(QStringLiteral("addEntryButton"));
    add->setToolTip(ImportTexts::addEntry());
    add->setAccessibleName(add->toolTip());
    row->addWidget(add);
    m_add = add;
    m_reparse =
        new SymbolButton(QStringLiteral("view-refresh-symbolic"), Tone::Primary, false, heading);
    m_reparse->setObjectName(QStringLiteral("reparseButton"));
    m_reparse->setToolTip(ImportTexts::reparse());
    m_reparse->setAccessibleName(m_reparse->toolTip());
    m_reparse->setEnabled(false);
    row->addWidget(m_reparse);

    connect(add, &QPushButton::clicked, this, &ResultPane::addRequested);
    connect(m_reparse, &QPushButton::clicked, this, &ResultPane::reparseRequested);
    return heading;
}

QWidget *ResultPane::makeEmptyState()
{
    auto *empty = new QWidget(this);
    empty->setObjectName(QStringLiteral("emptyState"));
    auto *stack = new QVBoxLayout(empty);
    stack->setContentsMargins(0, 60, 0, 0);
    stack->setSpacing(8);
    stack->addWidget(new SymbolView(QStringLiteral("scanner-symbolic"), 32, Tone::Tertiary, empty),
                     0, Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(ImportTexts::noEntries(), Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Body), empty),
                     0, Qt::AlignHCenter);
    auto *hint = new QLabel(ImportTexts::noEntriesHint(), empty);
    hint->setFont(GlassFonts::font(GlassFonts::Style::Body));
    stack->addWidget(hint, 0, Qt::AlignHCenter);
    return empty;
}

void ResultPane::setItems(const QList<SlateItem> &items)
{
    clearRows();
    for (const SlateItem &item : items)
        appendRow(item);
    refreshEmptyState();
}

void ResultPane::appendRow(const SlateItem &item)
{
    auto *row = new EntryRow(item, this);
    connect(row, &EntryRow::tickedChanged, this, &ResultPane::tickedChanged);
    connect(row, &EntryRow::subjectEdited, this, &ResultPane::subjectEdited);
    connect(row, &EntryRow::textEdited, this, &ResultPane::textEdited);
    connect(row, &EntryRow::removeRequested, this, &ResultPane::removeRequested);
    // Before the stretch that keeps the rows at the top.
    m_rowsLayout->insertWidget(m_rowsLayout->count() - 1, row);
    m_rows.append(row);
    refreshEmptyState();
}

void ResultPane::removeRow(const QUuid &id)
{
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        if (m_rows[i]->id() != id)
            continue;
        // The row's own trash button is mid-click: hide it now, delete it once that returns.
        EntryRow *row = m_rows.takeAt(i);
        row->hide();
        row->deleteLater();
    }
    refreshEmptyState();
}

void ResultPane::setAllTicked(bool ticked)
{
    for (EntryRow *row : m_rows)
        row->setTicked(ticked);
}

void ResultPane::setCounts(qsizetype ticked, qsizetype total)
{
    m_count->setText(ImportTexts::pendingCount(ticked, total));
}

void ResultPane::setReparseEnabled(bool enabled)
{
    m_reparse->setEnabled(enabled);
}

void ResultPane::focusLastRow()
{
    if (m_rows.isEmpty())
        return;
    m_rows.last()->focusText();
}

QList<QWidget *> ResultPane::focusChain() const
{
    QList<QWidget *> chain{m_add, m_reparse};
    for (EntryRow *row : m_rows)
        chain += row->focusChain();
    return chain;
}

void ResultPane::clearRows()
{
    for (EntryRow *row : m_rows)
        delete row;
    m_rows.clear();
}

void ResultPane::refreshEmptyState()
{
    m_emptyState->setVisible(m_rows.isEmpty());
}
