#pragma once

#include "ui/shell/AppSection.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <optional>

class QMenu;
class SidebarEntry;
class SymbolButton;

// The window's fixed left column: the brand, one entry per section, and the offline note.
// It shows which section is chosen and which entry the pointer is over (`hovered`).
class Sidebar : public QWidget {
    Q_OBJECT

public:
    static constexpr int fixedWidth = 218;

    explicit Sidebar(AppSection section, QWidget *parent = nullptr);

    void setSection(AppSection section);
    // The application menu, behind the button at the right of the brand row.
    void setAppMenu(QMenu *menu);
    std::optional<AppSection> hovered() const { return m_hovered; }
    SidebarEntry *entry(AppSection section) const;

signals:
    void sectionChosen(AppSection section);

private:
    QWidget *makeBrandRow();
    QWidget *makeFooter();
    void setHovered(std::optional<AppSection> section);
    void step(SidebarEntry *from, int delta);

    SymbolButton *m_menuButton = nullptr;
    QPointer<QMenu> m_appMenu;
    QList<SidebarEntry *> m_entries;
    std::optional<AppSection> m_hovered;
};
