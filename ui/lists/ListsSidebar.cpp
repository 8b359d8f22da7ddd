#include "ui/lists/ListsSidebar.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/HairlineDivider.h"
#include "ui/glass/LinkButton.h"
#include "ui/glass/SymbolButton.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/lists/ListsTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

using GlassPalette::Tone;

namespace {

constexpr int remainingRole = Qt::UserRole + 1;

// A list's row: its symbol and name, and at the right a badge with its open entries when there
// are any. The chosen row sits on an accent plate.
class ListNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const override
    {
        return QSize(
            option.rect.width(),
            qMax(30, QFontMetrics(GlassFonts::font(GlassFonts::Style::Body)).height() + 12));
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QPalette &palette = option.palette;
        const QRect row = option.rect.adjusted(0, 1, 0, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QPainterPath plate;
        plate.addRoundedRect(QRectF(row), 7, 7);
        if (option.state & QStyle::State_Selected)
            painter->fillPath(plate,
                              GlassPalette::withOpacity(GlassPalette::accent(palette), 0.18));
        else if (option.state & QStyle::State_MouseOver)
            painter->fillPath(plate,
                              GlassPalette::withOpacity(GlassPalette::primary(palette), 0.06));
        if (option.state & QStyle::State_HasFocus) {
            QPainterPath ring;
            ring.addRoundedRect(QRectF(row).adjusted(1, 1, -1, -1), 6, 6);
            painter->setPen(QPen(GlassPalette::accentSymbol(palette), 2));
            painter->drawPath(ring);
        }

        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = 15;
        const QRect symbol(row.left() + 8, row.center().y() - side / 2, side, side);
        painter->drawPixmap(symbol,
                            SymbolIcon::pixmap(QStringLiteral("view-list-symbolic"), side,
                                               GlassPalette::accentSymbol(palette), ratio));

        int right = row.right() - 8;
        const int remaining = index.data(remainingRole).toInt();
        if (remaining > 0) {
            const QFont badgeFont = GlassFonts::system(10);
            const QFontMetrics metrics(badgeFont);
            const QString count = QString::number(remaining);
            const int width = qMax(metrics.horizontalAdvance(count) + 12, 20);
            const QRect badge(right - width, row.center().y() - 8, width, 16);
            QPainterPath capsule;
            capsule.addRoundedRect(QRectF(badge), 8, 8);
            painter->fillPath(capsule,
                              GlassPalette::withOpacity(GlassPalette::accent(palette), 0.15));
            painter->setFont(badgeFont);
            painter->setPen(GlassPalette::primary(palette));
            painter->drawText(badge, Qt::AlignCenter, count);
            right = badge.left() - 6;
        }

        const QFont nameFont = GlassFonts::font(GlassFonts::Style::Body);
        painter->setFont(nameFont);
        painter->setPen(GlassPalette::primary(palette));
        const QRect name(symbol.right() + 8, row.top(), right - symbol.right() - 8, row.height());
        painter->drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(nameFont).elidedText(index.data().toString(), Qt::ElideRight,
                                                            name.width()));
        painter->restore();
    }
};

} // namespace

ListsSidebar::ListsSidebar(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent),
      m_newList(new SymbolButton(QStringLiteral("list-add-symbolic"), Tone::Primary, true, this)),
      m_lists(new QListWidget(this)),
      m_empty(new ToneLabel(ListsTexts::noListsTitle(), Tone::Secondary,
                            GlassFonts::font(GlassFonts::Style::Body), this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 12, 10, 12);
    layout->setSpacing(8);

    auto *titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(4, 0, 0, 0);
    auto *title = new QLabel(ListsTexts::listsTitle(), this);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    titleRow->addWidget(title);
    titleRow->addStretch();
    m_newList->setObjectName(QStringLiteral("newListButton"));
    m_newList->setToolTip(ListsTexts::newList());
    m_newList->setAccessibleName(m_newList->toolTip());
    titleRow->addWidget(m_newList);
    layout->addLayout(titleRow);

    m_lists->setObjectName(QStringLiteral("listsWidget"));
    m_lists->setAccessibleName(ListsTexts::listsName());
    m_lists->setFrameShape(QFrame::NoFrame);
    m_lists->setItemDelegate(new ListNameDelegate(m_lists));
    m_lists->setMouseTracking(true);
    m_lists->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lists->viewport()->setAutoFillBackground(false);
    m_lists->setAttribute(Qt::WA_TranslucentBackground);
    m_lists->setStyleSheet(QStringLiteral("QListWidget { background: transparent; }"));
    layout->addWidget(m_lists, 1);
    m_empty->setObjectName(QStringLiteral("noListsLabel"));
    m_empty->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_empty->setContentsMargins(6, 0, 0, 0);
    layout->addWidget(m_empty, 1);
    m_empty->hide();

    layout->addWidget(new HairlineDivider(Qt::Horizontal, 0.12, this));
    layout->addWidget(makeFooter());
    // The design's width, or what a large desktop font needs.
    setFixedWidth(qMax(fixedWidth, layout->minimumSize().width()));

    connect(m_newList, &QPushButton::clicked, this, &ListsSidebar::newListRequested);
    connect(m_lists, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (!m_filling && item)
            emit listChosen(item->text());
    });
}

QWidget *ListsSidebar::makeFooter()
{
    auto *footer = new QWidget(this);
    auto *stack = new QVBoxLayout(footer);
    stack->setContentsMargins(4, 0, 0, 0);
    stack->setSpacing(4);
    auto *statusRow = new QHBoxLayout;
    statusRow->setSpacing(6);
    statusRow->addWidget(new SymbolView(QStringLiteral("preferences-system-notifications-symbolic"),
                                        13, Tone::Secondary, footer),
                         0, Qt::AlignTop);
    m_notifyStatus = new ToneLabel(QString(), Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Caption), footer);
    m_notifyStatus->setObjectName(QStringLiteral("notificationStatusLabel"));
    m_notifyStatus->setWordWrap(true);
    statusRow->addWidget(m_notifyStatus, 1);
    stack->addLayout(statusRow);

    m_import = new LinkButton(ListsTexts::importAction(), footer);
    m_import->setObjectName(QStringLiteral("sidebarImportButton"));
    m_openFolder = new LinkButton(ListsTexts::openFolder(), footer);
    m_openFolder->setObjectName(QStringLiteral("openDataFolderButton"));
    stack->addWidget(m_import, 0, Qt::AlignLeft);
    stack->addWidget(m_openFolder, 0, Qt::AlignLeft);
    connect(m_import, &QPushButton::clicked, this, &ListsSidebar::importRequested);
    connect(m_openFolder, &QPushButton::clicked, this, &ListsSidebar::openFolderRequested);
    return footer;
}

void ListsSidebar::setLists(const QList<TaskList> &lists, const std::optional<QString> &current)
{
    m_lists->setVisible(!lists.isEmpty());
    m_empty->setVisible(lists.isEmpty());
    m_filling = true;
    // The same lists with the same counts: only the selection may move.
    bool same = m_lists->count() == lists.size();
    for (int i = 0; same && i < lists.size(); ++i) {
        const QListWidgetItem *item = m_lists->item(i);
        same = item->text() == lists[i].name &&
            item->data(remainingRole).toInt() == lists[i].remaining();
    }
    if (same) {
        QListWidgetItem *chosen = nullptr;
        for (int i = 0; current && i < m_lists->count() && !chosen; ++i) {
            if (m_lists->item(i)->text() == *current)
                chosen = m_lists->item(i);
        }
        m_lists->setCurrentItem(chosen);
        m_filling = false;
        return;
    }
    m_lists->clear();
    for (const TaskList &list : lists) {
        auto *item = new QListWidgetItem(list.name, m_lists);
        item->setData(remainingRole, list.remaining());
        item->setToolTip(list.name);
        if (current && list.name == *current && !m_lists->currentItem())
            m_lists->setCurrentItem(item);
    }
    m_filling = false;
}

void ListsSidebar::setNotificationStatus(const QString &status)
{
    m_notifyStatus->setText(status);
}
