#include "ui/SettingsWindow.h"

#include "ui/glass/AppBackdrop.h"
#include "ui/glass/WindowConfigurator.h"

#include <QVBoxLayout>

SettingsWindow::SettingsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_backdrop(new AppBackdrop(this))
{
    setWindowTitle(QStringLiteral("设置"));
    WindowConfigurator::configure(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(new QWidget(this));
    setFixedWidth(560);
    resize(560, 420);
}

void SettingsWindow::resizeEvent(QResizeEvent *event)
{
    m_backdrop->setGeometry(rect());
    QWidget::resizeEvent(event);
}
