#include "ui/shell/Sidebar.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/HairlineDivider.h"
#include "ui/glass/SymbolButton.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/shell/AppTile.h"
#include "ui/shell/ShellTexts.h"
#include "ui/shell/SidebarEntry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

using GlassPalette::Tone;

Sidebar::Sidebar(AppSection section, QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 0, 10, 12);
    layout->setSpacing(3);
    layout->addWidget(makeBrandRow());

    for (AppSection each : AppSections::all()) {
        auto *entry = new SidebarEntry(each, this);
        entry->setSelected(each == section);
        connect(entry, &SidebarEntry::clicked, this, [this, each] { emit sectionChosen(each); });
        connect(entry, &SidebarEntry::stepRequested, this,
                [this, entry](int delta) { step(entry, delta); });
        connect(entry, &SidebarEntry::pointerEntered, this,
                [this](AppSection s) { setHovered(s); });
        // A late leave of the previous entry must not clear the entry the pointer is over now.
        connect(entry, &SidebarEntry::pointerLeft, this, [this](AppSection s) {
            if (m_hovered == s)
                setHovered(std::nullopt);
        });
        m_entries.append(entry);
        layout->addWidget(entry);
    }
    layout->addStretch();
    layout->addWidget(makeFooter());
    // The design's width, or what a large desktop font needs.
    setFixedWidth(qMax(fixedWidth, layout->minimumSize().width()));
}

QWidget *Sidebar::makeBrandRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(8, 4, 8, 12);
    layout->setSpacing(9);
    layout->addWidget(new AppTile(row), 0, Qt::AlignVCenter);

    auto *names = new QVBoxLayout;
    names->setSpacing(0);
    auto *product = new QLabel(QStringLiteral("Slatebook"), row);
    product->setFont(GlassFonts::system(14, QFont::DemiBold));
    names->addWidget(product);
    names->addWidget(
        new ToneLabel(ShellTexts::tagline(), Tone::Secondary, GlassFonts::system(10), row));
    layout->addLayout(names);
    layout->addStretch();

    m_menuButton = new SymbolButton(QStringLiteral("open-menu-symbolic"), Tone::Primary, true, row);
    m_menuButton->setObjectName(QStringLiteral("appMenuButton"));
    m_menuButton->setToolTip(ShellTexts::menuButton());
    m_menuButton->setAccessibleName(m_menuButton->toolTip());
    m_menuButton->setFocusPolicy(Qt::TabFocus);
    // Its room is kept while it waits for the menu, so the sidebar's width counts it.
    QSizePolicy keepRoom = m_menuButton->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_menuButton->setSizePolicy(keepRoom);
    m_menuButton->hide();
    // Opened by hand rather than as the button's own menu, whose arrow would crowd the symbol.
    connect(m_menuButton, &QPushButton::clicked, this, [this] {
        if (m_appMenu)
            m_appMenu->popup(m_menuButton->mapToGlobal(QPoint(0, m_menuButton->height())));
    });
    layout->addWidget(m_menuButton, 0, Qt::AlignVCenter);
    return row;
}

QWidget *Sidebar::makeFooter()
{
    auto *footer = new QWidget(this);
    auto *layout = new QVBoxLayout(footer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new HairlineDivider(Qt::Horizontal, 0.12 * 0.35, footer));

    auto *note = new QHBoxLayout;
    note->setContentsMargins(8, 0, 8, 0);
    note->setSpacing(6);
    note->addWidget(
        new SymbolView(QStringLiteral("security-high-symbolic"), 12, Tone::Tertiary, footer), 0,
        Qt::AlignVCenter);
    note->addWidget(
        new ToneLabel(ShellTexts::offlineNote(), Tone::Tertiary, GlassFonts::system(10), footer), 0,
        Qt::AlignVCenter);
    note->addStretch();
    layout->addLayout(note);
    return footer;
}

void Sidebar::setAppMenu(QMenu *menu)
{
    m_appMenu = menu;
    m_menuButton->setVisible(menu != nullptr);
}

void Sidebar::setSection(AppSection section)
{
    bool hadFocus = false;
    for (SidebarEntry *entry : m_entries) {
        hadFocus = hadFocus || entry->hasFocus();
        entry->setSelected(entry->section() == section);
    }
    // The section list is one stop in the tab order, at the chosen entry; arrows move within it.
    SidebarEntry *chosen = entry(section);
    if (hadFocus && chosen)
        chosen->setFocus(Qt::TabFocusReason);
}

void Sidebar::step(SidebarEntry *from, int delta)
{
    const qsizetype at = m_entries.indexOf(from) + delta;
    if (at < 0 || at >= m_entries.size())
        return;
    m_entries.at(at)->setFocus(Qt::TabFocusReason);
    emit sectionChosen(m_entries.at(at)->section());
}

SidebarEntry *Sidebar::entry(AppSection section) const
{
    for (SidebarEntry *entry : m_entries) {
        if (entry->section() == section)
            return entry;
    }
    return nullptr;
}

void Sidebar::setHovered(std::optional<AppSection> section)
{
    m_hovered = section;
    for (SidebarEntry *entry : m_entries)
        entry->setHighlighted(entry->section() == section);
}
