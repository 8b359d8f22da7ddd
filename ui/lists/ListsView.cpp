#include "ui/lists/ListsView.h"

#include "bridges/desktop/DesktopServices.h"
#include "bridges/notifications/NotificationService.h"
#include "data/AppSettings.h"
#include "data/HorizontalSpace.h"
#include "data/TaskStore.h"
#include "ui/glass/DesktopAlert.h"
#include "ui/glass/DueDateEdit.h"
#include "ui/glass/ElidedLabel.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/glass/StatusLine.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/lists/ImportFromRemindersSheet.h"
#include "ui/lists/ListsActions.h"
#include "ui/lists/ListsSidebar.h"
#include "ui/lists/ListsTexts.h"
#include "ui/lists/NewListPrompt.h"
#include "ui/lists/TaskListModel.h"
#include "ui/lists/TaskRowDelegate.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
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
    stack->addWidget(makeHeader());
    stack->addWidget(makeAddBar());
    stack->addWidget(makeTaskList(), 1);
    stack->addWidget(makeBottomBar());
    return detail;
}

QWidget *ListsView::makeHeader()
{
    GlassPanel *header = card(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(12);

    auto *names = new QVBoxLayout;
    names->setSpacing(2);
    m_name = new ElidedLabel(header);
    m_name->setObjectName(QStringLiteral("listNameLabel"));
    m_name->setFont(GlassFonts::font(GlassFonts::Style::Title3));
    names->addWidget(m_name);
    m_counts = new ToneLabel(QString(), Tone::Secondary,
                             GlassFonts::font(GlassFonts::Style::Caption), header);
    m_counts->setObjectName(QStringLiteral("countsLabel"));
    names->addWidget(m_counts);
    row->addLayout(names, 1);

    auto *progress = new QVBoxLayout;
    progress->setSpacing(3);
    m_progressLabel = new ToneLabel(QString(), Tone::Primary,
                                    GlassFonts::font(GlassFonts::Style::Caption), header);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progress->addWidget(m_progressLabel);
    m_progress = new QProgressBar(header);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 1000);
    m_progress->setTextVisible(false);
    m_progress->setFixedSize(110, 6);
    m_progress->setStyleSheet(QStringLiteral(
        "QProgressBar { border: none; border-radius: 3px; background: rgba(128, 128, 128, 0.25); }"
        "QProgressBar::chunk { border-radius: 3px; background: palette(highlight); }"));
    progress->addWidget(m_progress);
    row->addLayout(progress);

    QStringList texts;
    for (Filter filter : VisibleTasks::filters())
        texts.append(VisibleTasks::text(filter));
    m_filterControl = new SegmentedControl(texts, header);
    m_filterControl->setObjectName(QStringLiteral("filterControl"));
    m_filterControl->setFixedWidth(168);
    row->addWidget(m_filterControl);

    m_searchField = new QLineEdit(header);
    m_searchField->setObjectName(QStringLiteral("searchField"));
    m_searchField->setPlaceholderText(QStringLiteral("搜索"));
    m_searchField->setClearButtonEnabled(true);
    m_searchField->setFixedWidth(96);
    row->addWidget(m_searchField);

    connect(m_filterControl, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { setFilter(VisibleTasks::filters().value(index, Filter::Todo)); });
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_search = text;
        refreshTasks();
    });
    return header;
}

QWidget *ListsView::makeAddBar()
{
    GlassPanel *bar = card(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(8);
    row->addWidget(new SymbolView(QStringLiteral("list-add-symbolic"), 17, Tone::Accent, bar));
    m_addField = new QLineEdit(bar);
    m_addField->setObjectName(QStringLiteral("addField"));
    m_addField->setPlaceholderText(QStringLiteral("添加一条作业，回车确认"));
    row->addWidget(m_addField, 1);
    m_dueCheck = new QCheckBox(QStringLiteral("截止"), bar);
    m_dueCheck->setObjectName(QStringLiteral("addDueCheck"));
    row->addWidget(m_dueCheck);
    m_dueEdit = new DueDateEdit(QDateTime::currentDateTime(), bar);
    m_dueEdit->setObjectName(QStringLiteral("addDueEdit"));
    m_dueEdit->setDisplayFormat(QStringLiteral("yyyy/M/d HH:mm"));
    m_dueEdit->setCalendarPopup(true);
    m_dueEdit->setEnabled(false);
    row->addWidget(m_dueEdit);
    m_addButton = new QPushButton(QStringLiteral("添加"), bar);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setEnabled(false);
    row->addWidget(m_addButton);

    connect(m_dueCheck, &QCheckBox::toggled, m_dueEdit, &QWidget::setEnabled);
    connect(m_addField, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_addButton->setEnabled(!trimHorizontalSpace(text).isEmpty());
    });
    connect(m_addField, &QLineEdit::returnPressed, this, &ListsView::addEntry);
    connect(m_addButton, &QPushButton::clicked, this, &ListsView::addEntry);
    return bar;
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
    m_taskView->setAccessibleName(QStringLiteral("条目"));
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

QWidget *ListsView::makeBottomBar()
{
    GlassPanel *bar = card(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(8);
    m_statusLine = new StatusLine(QStringLiteral("listsStatusLabel"),
                                  GlassFonts::font(GlassFonts::Style::Caption), bar);
    m_statusLine->label()->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(m_statusLine, 1);

    m_clearButton = new QPushButton(QStringLiteral("清理已完成"), bar);
    m_clearButton->setObjectName(QStringLiteral("clearCompletedButton"));
    row->addWidget(m_clearButton);

    auto *reminders = new QPushButton(QStringLiteral("与提醒事项互通"), bar);
    reminders->setObjectName(QStringLiteral("remindersMenuButton"));
    reminders->setFixedWidth(150);
    m_remindersMenu = new QMenu(reminders);
    m_remindersMenu->setObjectName(QStringLiteral("remindersMenu"));
    m_remindersMenu->addAction(QStringLiteral("导出本清单到提醒事项"), this,
                               &ListsView::exportList);
    m_remindersMenu->addAction(QStringLiteral("从提醒事项导入…"), this,
                               &ListsView::openImportSheet);
    reminders->setMenu(m_remindersMenu);
    row->addWidget(reminders);

    auto *more = new QPushButton(QStringLiteral("更多"), bar);
    more->setObjectName(QStringLiteral("moreMenuButton"));
    more->setFixedWidth(80);
    m_moreMenu = new QMenu(more);
    m_moreMenu->setObjectName(QStringLiteral("moreMenu"));
    m_moreMenu->addAction(QStringLiteral("重命名清单…"), this, &ListsView::renameList);
    m_moreMenu->addSeparator();
    QAction *remove =
        m_moreMenu->addAction(QStringLiteral("删除清单"), this, &ListsView::deleteList);
    // The destructive style: a red trash can marks it out.
    remove->setIcon(
        QIcon(SymbolIcon::pixmap(QStringLiteral("user-trash-symbolic"), 16,
                                 GlassPalette::destructive(palette()), devicePixelRatioF())));
    more->setMenu(m_moreMenu);
    row->addWidget(more);

    connect(m_clearButton, &QPushButton::clicked, this, &ListsView::clearCompleted);
    return bar;
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
    auto *title = new QLabel(QStringLiteral("还没有清单"), empty);
    title->setFont(GlassFonts::font(GlassFonts::Style::Title3));
    stack->addWidget(title, 0, Qt::AlignHCenter);
    stack->addWidget(new ToneLabel(QStringLiteral("去「导入作业」拖一张作业图，或点左上角 + 新建"),
                                   Tone::Secondary, GlassFonts::font(GlassFonts::Style::Body),
                                   empty),
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
    m_filterControl->setCurrentIndex(int(VisibleTasks::filters().indexOf(filter)));
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
        const TaskList list = *m_shared.store.list(*current);
        m_name->setFullText(list.name);
        m_counts->setText(ListsTexts::counts(list.remaining(), list.tasks.size()));
        m_progressLabel->setText(ListsTexts::progressLabel(list.progress()));
        m_progress->setValue(int(list.progress() * 1000));
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
    m_emptyTasks->setText(VisibleTasks::emptyMessage(m_filter));
    m_taskView->setVisible(!empty);
    m_emptyTasks->setVisible(empty);
    emit visibleTasksChanged();
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
    if (trimHorizontalSpace(m_addField->text()).isEmpty() || !current)
        return;
    const std::optional<QDateTime> due =
        m_dueCheck->isChecked() ? std::optional(m_dueEdit->dateTime()) : std::nullopt;
    ListsActions::addEntry(m_shared, m_addField->text(), *current, due);
    showPendingCount();
    m_addField->clear();
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
    request.message = QStringLiteral("重命名清单");
    request.buttons = {QStringLiteral("保存"), QStringLiteral("取消")};
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
    request.buttons = {QStringLiteral("删除"), QStringLiteral("取消")};
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
    connect(m_prompt, &QDialog::accepted, this, [this] {
        const QString name = trimHorizontalSpace(m_prompt->name());
        if (name.isEmpty())
            return;
        m_shared.store.ensureList(name);
        select(name);
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
