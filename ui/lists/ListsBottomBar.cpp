#include "ui/lists/ListsBottomBar.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/StatusLine.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/lists/ListsTexts.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

ListsBottomBar::ListsBottomBar(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent),
      m_status(new StatusLine(QStringLiteral("listsStatusLabel"),
                              GlassFonts::font(GlassFonts::Style::Caption), this))
{
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(14, 8, 14, 8);
    rows->setSpacing(6);
    // Above the buttons, the bar's full width: a failure naming a path has room there.
    m_status->collapseWhenEmpty();
    rows->addWidget(m_status);
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    rows->addLayout(row);
    row->addStretch();

    auto *clear = new QPushButton(ListsTexts::clearCompletedButton(), this);
    clear->setObjectName(QStringLiteral("clearCompletedButton"));
    connect(clear, &QPushButton::clicked, this, &ListsBottomBar::clearCompletedRequested);
    row->addWidget(clear);
    row->addWidget(makeRemindersButton());
    row->addWidget(makeMoreButton());
}

QPushButton *ListsBottomBar::makeRemindersButton()
{
    auto *button = new QPushButton(ListsTexts::remindersMenuButton(), this);
    button->setObjectName(QStringLiteral("remindersMenuButton"));
    auto *menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("remindersMenu"));
    menu->addAction(ListsTexts::exportAction(), this, &ListsBottomBar::exportRequested);
    menu->addAction(ListsTexts::importAction(), this, &ListsBottomBar::importRequested);
    button->setMenu(menu);
    // The design's width, or what the text and the menu's arrow need.
    button->setFixedWidth(qMax(150, button->sizeHint().width()));
    return button;
}

QPushButton *ListsBottomBar::makeMoreButton()
{
    auto *button = new QPushButton(ListsTexts::moreMenuButton(), this);
    button->setObjectName(QStringLiteral("moreMenuButton"));
    auto *menu = new QMenu(button);
    menu->setObjectName(QStringLiteral("moreMenu"));
    menu->addAction(ListsTexts::renameAction(), this, &ListsBottomBar::renameRequested);
    menu->addSeparator();
    QAction *remove =
        menu->addAction(ListsTexts::deleteAction(), this, &ListsBottomBar::deleteRequested);
    // The destructive style: a red trash can marks it out.
    remove->setIcon(
        QIcon(SymbolIcon::pixmap(QStringLiteral("user-trash-symbolic"), 16,
                                 GlassPalette::destructive(palette()), devicePixelRatioF())));
    button->setMenu(menu);
    button->setFixedWidth(qMax(80, button->sizeHint().width()));
    return button;
}
