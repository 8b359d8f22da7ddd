#include "ui/SettingsWindow.h"

#include "ui/glass/AppBackdrop.h"
#include "ui/glass/WindowConfigurator.h"
#include "ui/settings/SettingsTexts.h"
#include "ui/settings/SettingsView.h"

#include <QShortcut>
#include <QVBoxLayout>

SettingsWindow::SettingsWindow(SharedObjects shared, QWidget *parent)
    : QWidget(parent, Qt::Window), m_backdrop(new AppBackdrop(this)),
      m_view(new SettingsView(shared, this))
{
    setWindowTitle(SettingsTexts::screenTitle());
    WindowConfigurator::configure(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_view);
    // 560 wide in all: the screen's own minimum width is inside the padding.
    m_view->setMinimumWidth(560 - 24);
    setFixedWidth(560);
    resize(560, 720);
    // A plain window, not a dialog, so Escape is not closing it by itself.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

void SettingsWindow::resizeEvent(QResizeEvent *event)
{
    m_backdrop->setGeometry(rect());
    QWidget::resizeEvent(event);
}
