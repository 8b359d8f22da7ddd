#pragma once

#include "ui/SharedObjects.h"
#include "ui/shell/AppSection.h"

#include <QWidget>

class AppBackdrop;
class ImportView;
class Sidebar;
class QScrollArea;
class QVBoxLayout;

// `RootView`: the window's content. Behind everything the `AppBackdrop`; in front, the sidebar,
// a hairline and the detail area showing the chosen section's screen. Each change of section
// builds that screen anew and discards the previous one with all its on-screen state. The detail
// area scrolls only where a scaled screen leaves the window less room than the screen needs.
class RootView : public QWidget {
    Q_OBJECT

public:
    // Opens on the section named by the stored "startSection", or on the first.
    explicit RootView(SharedObjects shared, QWidget *parent = nullptr);

    AppSection section() const { return m_section; }
    void setSection(AppSection section);

    const SharedObjects &shared() const { return m_shared; }
    Sidebar *sidebar() const { return m_sidebar; }
    QWidget *currentScreen() const { return m_screen; }
    // The import screen when it is the one shown.
    ImportView *importView() const;

    QSize minimumSizeHint() const override;
    // What the screen leaves free for the window, in the window's units.
    QSize roomOnScreen() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // A screen whose needs change (another screen, another font) asks the window again.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showScreen();
    QWidget *makeScreen(AppSection section);

    SharedObjects m_shared;
    AppSection m_section;
    AppBackdrop *m_backdrop;
    Sidebar *m_sidebar;
    QScrollArea *m_scroller;
    QVBoxLayout *m_detail;
    QWidget *m_screen = nullptr;
};
