#include "ui/shell/RootView.h"

#include "data/SharedDefaults.h"
#include "ui/about/AboutView.h"
#include "ui/glass/AppBackdrop.h"
#include "ui/glass/HairlineDivider.h"
#include "ui/history/HistoryView.h"
#include "ui/import/ImportView.h"
#include "ui/lists/ListsView.h"
#include "ui/settings/SettingsView.h"
#include "ui/shell/Sidebar.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

RootView::RootView(SharedObjects shared, QWidget *parent)
    : QWidget(parent), m_shared(shared),
      m_section(AppSections::startSection(SharedDefaults::startSection())),
      m_backdrop(new AppBackdrop(this)), m_sidebar(new Sidebar(m_section, this))
{
    m_backdrop->lower();

    auto *row = new QHBoxLayout(this);
    // The window manager draws its own title bar above the content; the sidebar's brand row,
    // with the application menu, is the content's first row.
    row->setContentsMargins(0, 10, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_sidebar);
    row->addWidget(new HairlineDivider(Qt::Vertical, 0.07, this));
    auto *detail = new QWidget(this);
    m_detail = new QVBoxLayout(detail);
    m_detail->setContentsMargins(0, 0, 0, 0);
    row->addWidget(detail, 1);

    connect(m_sidebar, &Sidebar::sectionChosen, this, &RootView::setSection);
    showScreen();
}

void RootView::setSection(AppSection section)
{
    if (section == m_section)
        return;
    m_section = section;
    m_sidebar->setSection(section);
    showScreen();
}

ImportView *RootView::importView() const
{
    return qobject_cast<ImportView *>(m_screen);
}

void RootView::resizeEvent(QResizeEvent *event)
{
    m_backdrop->setGeometry(rect());
    QWidget::resizeEvent(event);
}

QSize RootView::minimumSizeHint() const
{
    // The design's smallest window, or larger where a large desktop font makes a screen need more.
    // The design is for an unscaled screen: on a scaled one with less room (QT_SCALE_FACTOR=1.5
    // leaves 910×512 of a 1366×768 screen) the window asks only what the screen's layout needs.
    QSize design(980, 700);
    if (const QScreen *shown = screen(); shown && shown->devicePixelRatio() > 1)
        design = design.boundedTo(shown->availableSize());
    return design.expandedTo(QWidget::minimumSizeHint());
}

void RootView::showScreen()
{
    delete m_screen;
    m_screen = makeScreen(m_section);
    m_detail->addWidget(m_screen);
    // At once rather than on the layout's next turn, so a Tab pressed right after the switch
    // already reaches it.
    if (isVisible())
        m_screen->show();
}

QWidget *RootView::makeScreen(AppSection section)
{
    switch (section) {
    case AppSection::Importer:
        return new ImportView(m_shared, this);
    case AppSection::Lists:
        return new ListsView(m_shared, this);
    case AppSection::History:
        return new HistoryView(m_shared, this);
    case AppSection::Settings:
        return new SettingsView(m_shared, this);
    case AppSection::About:
        return new AboutView(m_shared, this);
    }
    return new QWidget(this);
}
