#include "ui/lists/ListsView.h"

#include "bridges/desktop/DesktopServices.h"
#include "bridges/notifications/NotificationService.h"
#include "core/HorizontalSpace.h"
#include "data/AppSettings.h"
#include "data/TaskStore.h"
#include "ui/glass/DesktopAlert.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/StatusLine.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/lists/ImportFromRemindersSheet.h"
#include "ui/lists/ListsActions.h"
#include "ui/lists/ListsAddBar.h"
#include "ui/lists/ListsBottomBar.h"
#include "ui/lists/ListsHeader.h"
#include "ui/lists/ListsSidebar.h"
#include "ui/lists/ListsTexts.h"
#include "ui/lists/NewListPrompt.h"
#include "ui/lists/TaskListModel.h"
#include "ui/lists/TaskRowDelegate.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QShortcut>
#include <QStackedLayout>
#include <QVBoxLayout>

using GlassPalette::Tone;
using VisibleTasks::Filter;

namespace {

GlassPanel *card(QWidget *parent)
{
    return new GlassPanel(14, std::nullopt, false, parent);
}

} // namespace

ListsView::ListsView(SharedObjects shared, QWidget *parent)
    : QWidget(parent), m_shared(shared), m_sidebar(new ListsSidebar(this))
{
    m_sidebar->setObjectName(QStringLiteral("listsSidebar"));
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(18, 6, 18, 18);
    columns->setSpacing(12);
    columns->addWidget(m_sidebar);

    auto *right = new QWidget(this);
    right->setMinimumWidth(440);
    m_pages = new QStackedLayout(right);
    m_detail = makeDetail();
    m_emptyState = makeEmptyState();
    m_pages->addWidget(m_detail);
    m_pages->addWidget(m_emptyState);
    columns->addWidget(right, 1);

    // Queued: choosing refreshes the sidebar's rows, which must not happen inside their own click.
    connect(
        m_sidebar, &ListsSidebar::listChosen, this, [this](const QString &name) { select(name); },
        Qt::QueuedConnection);
    connect(m_sidebar, &ListsSidebar::newListRequested, this, &ListsView::newList);
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, this,
            &ListsView::newList);
    connect(m_sidebar, &ListsSidebar::importRequested, this, &ListsView::openImportSheet);
    connect(m_sidebar, &ListsSidebar::openFolderRequested, this,
            [this] { DesktopServices::openFolder(m_shared.store.dir()); });
    connect(&m_shared.store, &TaskStore::listsChanged, this, &ListsView::refresh);
    // The change stays on screen (the store keeps it in memory); the status says it is not saved
    // until the user acts again.
    connect(&m_shared.store, &TaskStore::saveFailed, m_statusLine, &StatusLine::setFailure);
    connect(&m_shared.notify, &NotificationService::statusTextChanged, this,
            [this] { m_sidebar->setNotificationStatus(m_shared.notify.statusText()); });
    m_sidebar->setNotificationStatus(m_shared.notify.statusText());
    refresh();
}

QWidget *ListsView::makeDetail()
{
    auto *detail = new QWidget(this);
    detail->setObjectName(QStringLiteral("listsDetail"));
    auto *stack = new QVBoxLayout(detail);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(12);
    m_header = new ListsHeader(this);
    connect(m_header, &ListsHeader::filterChosen, this, &ListsView::setFilter);
    connect(m_header, &ListsHeader::searchChanged, this, [this](const QString &text) {
        m_search = text;
        refreshTasks();
    });
    stack->addWidget(m_header);
    m_addBar = new ListsAddBar(this);
    connect(m_addBar, &ListsAddBar::addRequested, this, &ListsView::addEntry);
    stack->addWidget(m_addBar);
    stack->addWidget(makeTaskList(), 1);
    auto *bottom = new ListsBottomBar(this);
    m_statusLine = bottom->statusLine();
    connect(bottom, &ListsBottomBar::clearCompletedRequested, this, &ListsView::clearCompleted);
    connect(bottom, &ListsBottomBar::exportRequested, this, &ListsView::exportList);
    connect(bottom, &ListsBottomBar::importRequested, this, &ListsView::openImportSheet);
    connect(bottom, &ListsBottomBar::renameRequested, this, &ListsView::renameList);
    connect(bottom, &ListsBottomBar::deleteRequested, this, &ListsView::deleteList);
    stack->addWidget(bottom);
    return detail;
}

QWidget *ListsView::makeTaskList()
{
    GlassPanel *pane = card(this);
    auto *stack = new QVBoxLayout(pane);
    stack->setContentsMargins(8, 8, 8, 8);
    stack->setSpacing(0);

    m_model = new TaskListModel(this);
    m_taskView = new QListView(pane);
    m_taskView->setObjectName(QStringLiteral("taskView"));
    m_taskView->setModel(m_model);
    auto *delegate = new TaskRowDelegate(m_model, m_taskView);
    m_taskView->setItemDelegate(delegate);
    m_taskView->setFrameShape(QFrame::NoFrame);
    m_taskView->setMouseTracking(true);
    m_taskView->setSelectionMode(QAbstractItemView::NoSelection);
    // The keyboard walks the entries (the current one wears the focus ring): Space ticks it,
    // Delete removes it.
    m_taskView->setFocusPolicy(Qt::StrongFocus);
    m_taskView->setAccessibleName(ListsTexts::taskViewName());
    m_taskView->setAccessibleDescription(ListsTexts::taskViewDescription());
    m_taskView->installEventFilter(this);
    m_taskView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_taskView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_taskView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_taskView->viewport()->setAutoFillBackground(false);
    m_taskView->setStyleSheet(QStringLiteral("QListView { background: transparent; }"));
    // Thousands of rows: lay them out in batches so the first screenful shows at once.
    m_taskView->setLayoutMode(QListView::Batched);
    m_taskView->setBatchSize(200);
    stack->addWidget(m_taskView, 1);

    m_emptyTasks =
        new ToneLabel(QString(), Tone::Secondary, GlassFonts::font(GlassFonts::Style::Body), pane);
    m_emptyTasks->setObjectName(QStringLiteral("emptyTasksLabel"));
    m_emptyTasks->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_emptyTasks->setContentsMargins(0, 40, 0, 0);
    stack->addWidget(m_emptyTasks, 1);

    // Queued: the store change a click causes resets the model, which must not happen while the
    // view is still handling that click.
    connect(delegate, &TaskRowDelegate::toggleRequested, this, &ListsView::toggle,
            Qt::QueuedConnection);
    connect(delegate, &TaskRowDelegate::deleteRequested, this, &ListsView::deleteTask,
            Qt::QueuedConnection);
    return pane;
}

QWidget *ListsView::makeEmptyState()
{
    auto *empty = new QWidget(this);
    empty->setObjectName(QStringLiteral("listsEmptyState"));
    auto *stack = new QVBoxLayout(empty);
    stack->setSpacing(10);
    stack->addStretch();
    stack->addWidget(
        new SymbolView(QStringLiteral("checklist-symbolic"), 40, Tone::Secondary, empty), 0,
        Qt::AlignHCenter);
    auto *title = new QLabel(ListsTexts::noListsTitle(), empty);
    title->setFont(GlassFonts::font(GlassFonts::Style::Title3));
    stack->addWidget(title, 0, Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(ListsTexts::noListsHint(), Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Body), empty),
                     0, Qt::AlignHCenter);
    stack->addStretch();
    return empty;
}

std::optional<QString> ListsView::currentName() const
{
    const QList<TaskList> &lists = m_shared.store.lists();
    if (m_selected && m_shared.store.index(*m_selected))
        return m_selected;
    if (lists.isEmpty())
        return std::nullopt;
    return lists.first().name;
}

void ListsView::select(const std::optional<QString> &name)
{
    if (m_selected == name)
        return;
    m_selected = name;
    refresh();
}

void ListsView::setFilter(Filter filter)
{
    if (m_filter == filter)
        return;
    m_filter = filter;
    m_header->setFilter(filter);
    refreshTasks();
}

const QList<TaskItem> &ListsView::visibleTasks() const
{
    return m_model->tasks();
}

void ListsView::refresh()
{
    const std::optional<QString> current = currentName();
    m_sidebar->setLists(m_shared.store.lists(), current);
    m_pages->setCurrentWidget(current ? m_detail : m_emptyState);
    if (current) {
        m_header->showList(*m_shared.store.list(*current));
    }
    refreshTasks();
}

void ListsView::refreshTasks()
{
    const std::optional<QString> current = currentName();
    std::optional<TaskList> list;
    if (current)
        list = m_shared.store.list(*current);
    // The keyboard's place survives the rebuild: the same entry, or the row where a deleted one
    // was.
    const QModelIndex focused = m_taskView->currentIndex();
    const QUuid focusedId = focused.isValid() ? m_model->task(focused.row()).id : QUuid();
    m_model->setTasks(list ? VisibleTasks::of(list->tasks, m_filter, m_search) : QList<TaskItem>());
    if (focused.isValid() && m_model->rowCount() > 0) {
        int row = m_model->rowOf(focusedId);
        if (row < 0)
            row = qMin(focused.row(), m_model->rowCount() - 1);
        m_taskView->setCurrentIndex(m_model->index(row));
    }
    const bool empty = m_model->rowCount() == 0;
    m_emptyTasks->setText(ListsTexts::emptyMessage(m_filter));
    m_taskView->setVisible(!empty);
    m_emptyTasks->setVisible(empty);
}

bool ListsView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_taskView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex index = m_taskView->currentIndex();
        if (index.isValid() && (key == Qt::Key_Space || key == Qt::Key_Delete)) {
            const QUuid id = m_model->task(index.row()).id;
            if (key == Qt::Key_Space)
                toggle(id);
            else
                deleteTask(id);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString ListsView::status() const
{
    return m_statusLine->text();
}

void ListsView::showPendingCount()
{
    QPointer<ListsView> self(this);
    m_shared.notify.pendingCount([self](int count) {
        if (self)
            self->m_statusLine->setStatus(ListsTexts::scheduled(count));
    });
}

void ListsView::addEntry()
{
    m_statusLine->acknowledge();
    const std::optional<QString> current = currentName();
    if (trimHorizontalSpace(m_addBar->text()).isEmpty() || !current)
        return;
    ListsActions::addEntry(m_shared, m_addBar->text(), *current, m_addBar->due());
    showPendingCount();
    m_addBar->clearText();
}

void ListsView::toggle(const QUuid &taskId)
{
    m_statusLine->acknowledge();
    const std::optional<QString> current = currentName();
    if (!current)
        return;
    const std::optional<TaskList> list = m_shared.store.list(*current);
    for (const TaskItem &task : list->tasks) {
        if (task.id == taskId) {
            ListsActions::toggle(m_shared, task, *current);
            return;
        }
    }
}

void ListsView::deleteTask(const QUuid &taskId)
{
    m_statusLine->acknowledge();
    if (const std::optional<QString> current = currentName())
        ListsActions::deleteTask(m_shared, taskId, *current);
}

void ListsView::clearCompleted()
{
    m_statusLine->acknowledge();
    if (const std::optional<QString> current = currentName())
        m_statusLine->setStatus(ListsTexts::cleared(m_shared.store.clearCompleted(*current)));
}

void ListsView::renameList()
{
    m_statusLine->acknowledge();
    const std::optional<QString> current = currentName();
    if (!current)
        return;
    AlertRequest request;
    request.message = ListsTexts::renameTitle();
    request.buttons = {ListsTexts::saveButton(), ListsTexts::cancelButton()};
    request.textField = AlertRequest::TextField{*current, QSize(220, 24)};
    const AlertAnswer answer = askInAlert(request, this);
    if (answer.button != 0)
        return;
    const QString name = trimHorizontalSpace(answer.text);
    if (name.isEmpty() || name == *current)
        return;
    m_shared.store.rename(*current, name);
    select(name);
}

void ListsView::deleteList()
{
    m_statusLine->acknowledge();
    const std::optional<QString> current = currentName();
    if (!current)
        return;
    const qsizetype entries = m_shared.store.list(*current)->tasks.size();
    AlertRequest request;
    request.message = ListsTexts::deleteListMessage(*current);
    request.informativeText = ListsTexts::deleteListInformation(entries);
    request.style = AlertRequest::Style::Warning;
    request.buttons = {ListsTexts::deleteButton(), ListsTexts::cancelButton()};
    if (askInAlert(request, this).button != 0)
        return;
    ListsActions::deleteList(m_shared, *current);
    const QList<TaskList> &lists = m_shared.store.lists();
    select(lists.isEmpty() ? std::nullopt : std::optional(lists.first().name));
}

void ListsView::exportList()
{
    m_statusLine->acknowledge();
    const std::optional<QString> current = currentName();
    if (!current)
        return;
    QPointer<ListsView> self(this);
    ListsActions::exportList(m_shared, *current, [self](const QString &status) {
        if (self)
            self->m_statusLine->setStatus(status);
    });
}

void ListsView::newList()
{
    m_statusLine->acknowledge();
    if (m_prompt)
        return;
    m_prompt =
        new NewListPrompt(m_shared.settings.defaultListName(QDateTime::currentDateTime()), this);
    m_prompt->setAttribute(Qt::WA_DeleteOnClose);
    // Focus returns where it was, or to the new list's entry field, ready for its first entry.
    QPointer<QWidget> before = QApplication::focusWidget();
    connect(m_prompt, &QDialog::accepted, this, [this] {
        const QString name = trimHorizontalSpace(m_prompt->name());
        if (name.isEmpty())
            return;
        m_shared.store.ensureList(name);
        select(name);
        m_addBar->focusField();
    });
    connect(m_prompt, &QDialog::rejected, this, [before] {
        if (before)
            before->setFocus(Qt::OtherFocusReason);
    });
    m_prompt->open();
}

void ListsView::openImportSheet()
{
    m_statusLine->acknowledge();
    if (m_sheet)
        return;
    m_sheet = new ImportFromRemindersSheet(m_shared, this);
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    m_sheet->open();
    m_sheet->start();
}
