#pragma once

#include "ui/shell/AppSection.h"

#include <QAbstractButton>
#include <QVariantAnimation>

// One sidebar entry: the section's symbol and title on a rounded plate that is clickable as a
// whole. Selected: accent fill and outline, accent symbol, semibold title, eased in over 0.15 s.
// Highlighted (the pointer is over it, as the sidebar decides): a faint primary fill.
// Only the selected entry takes the keyboard focus (Tab), shown as an accent ring; Up and Down
// ask the sidebar for the neighbouring section, Space chooses.
class SidebarEntry : public QAbstractButton {
    Q_OBJECT

public:
    explicit SidebarEntry(AppSection section, QWidget *parent = nullptr);

    AppSection section() const { return m_section; }
    bool isSelected() const { return m_selected; }
    bool isHighlighted() const { return m_highlighted; }

    void setSelected(bool selected);
    void setHighlighted(bool highlighted);

    // The colours as painted now, for checks of the selected look.
    QColor fillColor() const;
    QColor outlineColor() const;
    QColor symbolColor() const;
    QFont titleFont() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Up (-1) or Down (+1) pressed while the entry has the focus.
    void stepRequested(int delta);
    void pointerEntered(AppSection section);
    void pointerLeft(AppSection section);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    AppSection m_section;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_keyboardFocus = false; // the ring shows only for focus the keyboard brought
    qreal m_selection = 0;        // 0 = plain, 1 = fully selected; animated between
    QVariantAnimation m_animation;
};
