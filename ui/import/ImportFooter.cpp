#include "ui/import/ImportFooter.h"

#include "ui/glass/BusySpinner.h"
#include "ui/glass/GlassButton.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/StatusLine.h"
#include "ui/import/ImportTexts.h"

#include <QHBoxLayout>
#include <QPushButton>

ImportFooter::ImportFooter(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent), m_spinner(new BusySpinner(this)),
      m_status(new StatusLine(QStringLiteral("statusLabel"),
                              GlassFonts::font(GlassFonts::Style::Body), this)),
      m_selectAll(new QPushButton(ImportTexts::selectAll(), this)),
      m_selectNone(new QPushButton(ImportTexts::selectNone(), this)),
      m_write(new GlassButton(QString(), true, this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(10);

    m_spinner->setObjectName(QStringLiteral("busySpinner"));
    m_spinner->setVisible(false);
    layout->addWidget(m_spinner);

    m_status->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    layout->addWidget(m_status, 1);

    m_selectAll->setObjectName(QStringLiteral("selectAllButton"));
    m_selectNone->setObjectName(QStringLiteral("selectNoneButton"));
    m_write->setObjectName(QStringLiteral("writeButton"));
    layout->addWidget(m_selectAll);
    layout->addWidget(m_selectNone);
    layout->addWidget(m_write);

    connect(m_selectAll, &QPushButton::clicked, this, &ImportFooter::selectAllRequested);
    connect(m_selectNone, &QPushButton::clicked, this, &ImportFooter::selectNoneRequested);
    connect(m_write, &GlassButton::clicked, this, &ImportFooter::writeRequested);
    setTarget(true);
}

void ImportFooter::setBusy(bool busy)
{
    m_spinner->setVisible(busy);
}

void ImportFooter::setHasItems(bool hasItems)
{
    m_selectAll->setEnabled(hasItems);
    m_selectNone->setEnabled(hasItems);
}

void ImportFooter::setWriteEnabled(bool enabled)
{
    m_write->setEnabled(enabled);
}

void ImportFooter::setTarget(bool saveToApp)
{
    m_write->setText(ImportTexts::writeButton(saveToApp));
    m_write->setSymbol(saveToApp ? QStringLiteral("document-import-symbolic")
                                 : QStringLiteral("task-done-symbolic"));
}

QList<QWidget *> ImportFooter::focusChain() const
{
    return m_status->focusChain() + QList<QWidget *>{m_selectAll, m_selectNone, m_write};
}
