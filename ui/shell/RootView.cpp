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

#include <QEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

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
    m_scroller = new QScrollArea(this);
    m_scroller->setWidgetResizable(true);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->viewport()->setAutoFillBackground(false);
    auto *detail = new QWidget(m_scroller);
    detail->setAutoFillBackground(false);
    m_detail = new QVBoxLayout(detail);
    m_detail->setContentsMargins(0, 0, 0, 0);
    m_scroller->setWidget(detail);
    detail->installEventFilter(this);
    row->addWidget(m_scroller, 1);

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

bool RootView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroller->widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QWidget::eventFilter(watched, event);
}

QSize RootView::minimumSizeHint() const
{
    // The design's smallest window, or larger where a large desktop font makes a screen need more.
    // The layout counts the scroll area at its own small minimum: the screen's is put back.
    const QSize layoutNeeds = QWidget::minimumSizeHint();
    const QSize screenNeeds = m_scroller->widget()->minimumSizeHint();
    const QMargins margins = layout()->contentsMargins();
    const QSize needed = QSize(980, 700).expandedTo(
        {layoutNeeds.width() - m_scroller->minimumSizeHint().width() + screenNeeds.width(),
         std::max(layoutNeeds.height(), screenNeeds.height() + margins.top() + margins.bottom())});
    // The design is for an unscaled screen: on a scaled one with less room (QT_SCALE_FACTOR=1.5
    // leaves 910×512 of a 1366×768 screen) the window fits the screen and the screen scrolls.
    if (const QScreen *shown = screen(); shown && shown->devicePixelRatio() > 1)
        return needed.boundedTo(roomOnScreen());
    return needed;
}

QSize RootView::roomOnScreen() const
{
    // The screen's size in the window's units is rounded: a unit less keeps a window of that size
    // on a screen with a fractional scale.
    return screen()->availableSize() - QSize(1, 1);
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
