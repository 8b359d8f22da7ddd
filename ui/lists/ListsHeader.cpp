#include "ui/lists/ListsHeader.h"

#include "ui/glass/ElidedLabel.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/glass/ToneLabel.h"
#include "ui/lists/ListsTexts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

using GlassPalette::Tone;
using VisibleTasks::Filter;

namespace {

QStringList filterTexts()
{
    QStringList texts;
    for (Filter filter : VisibleTasks::filters())
        texts.append(ListsTexts::filterText(filter));
    return texts;
}

} // namespace

ListsHeader::ListsHeader(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent), m_name(new ElidedLabel(this)),
      m_counts(new ToneLabel(QString(), Tone::Secondary,
                             GlassFonts::font(GlassFonts::Style::Caption), this)),
      m_progressLabel(new ToneLabel(QString(), Tone::Primary,
                                    GlassFonts::font(GlassFonts::Style::Caption), this)),
      m_progress(new QProgressBar(this)), m_filter(new SegmentedControl(filterTexts(), this)),
      m_search(new QLineEdit(this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(12);

    auto *names = new QVBoxLayout;
    names->setSpacing(2);
    m_name->setObjectName(QStringLiteral("listNameLabel"));
    m_name->setFont(GlassFonts::font(GlassFonts::Style::Title3));
    names->addWidget(m_name);
    m_counts->setObjectName(QStringLiteral("countsLabel"));
    names->addWidget(m_counts);
    row->addLayout(names, 1);

    auto *progress = new QVBoxLayout;
    progress->setSpacing(3);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progress->addWidget(m_progressLabel);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setAccessibleName(ListsTexts::progressName());
    m_progress->setFixedSize(110, 6);
    m_progress->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; border-radius: 3px; background: rgba(128, 128, 128, 0.25); }"
        "QProgressBar::chunk { border-radius: 3px; background: palette(highlight); }"));
    progress->addWidget(m_progress);
    row->addLayout(progress);

    m_filter->setObjectName(QStringLiteral("filterControl"));
    m_filter->setAccessibleLabel(ListsTexts::filterName());
    m_filter->setFixedWidth(qMax(168, m_filter->sizeHint().width()));
    row->addWidget(m_filter);

    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setPlaceholderText(ListsTexts::searchPlaceholder());
    m_search->setAccessibleName(ListsTexts::searchPlaceholder());
    m_search->setClearButtonEnabled(true);
    m_search->setFixedWidth(GlassFonts::length(96));
    row->addWidget(m_search);

    connect(m_filter, &SegmentedControl::currentIndexChanged, this, [this](int index) {
        emit filterChosen(VisibleTasks::filters().value(index, Filter::Todo));
    });
    connect(m_search, &QLineEdit::textChanged, this, &ListsHeader::searchChanged);
}

void ListsHeader::showList(const TaskList &list)
{
    m_name->setFullText(list.name);
    m_counts->setText(ListsTexts::counts(list.remaining(), list.tasks.size()));
    m_progressLabel->setText(ListsTexts::progressLabel(list.progress()));
    m_progress->setValue(int(list.progress() * 1000));
}

void ListsHeader::setFilter(Filter filter)
{
    m_filter->setCurrentIndex(int(VisibleTasks::filters().indexOf(filter)));
}
