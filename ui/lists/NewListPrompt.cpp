#include "ui/lists/NewListPrompt.h"

#include "ui/glass/GlassFonts.h"
#include "ui/lists/ListsTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewListPrompt::NewListPrompt(const QString &name, QWidget *parent)
    : QDialog(parent), m_name(new QLineEdit(name, this)),
      m_create(new QPushButton(ListsTexts::createButton(), this)),
      m_cancel(new QPushButton(ListsTexts::cancelButton(), this))
{
    setObjectName(QStringLiteral("newListPrompt"));
    setWindowTitle(ListsTexts::newList());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(10);
    auto *title = new QLabel(ListsTexts::newList(), this);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    layout->addWidget(title);
    m_name->setObjectName(QStringLiteral("newListNameField"));
    m_name->setPlaceholderText(ListsTexts::listNamePlaceholder());
    m_name->setAccessibleName(ListsTexts::listNamePlaceholder());
    m_name->setMinimumWidth(240);
    m_name->selectAll();
    layout->addWidget(m_name);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_create->setObjectName(QStringLiteral("newListCreateButton"));
    m_cancel->setObjectName(QStringLiteral("newListCancelButton"));
    m_cancel->setAutoDefault(false);
    m_create->setDefault(true);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_create);
    layout->addLayout(buttons);

    connect(m_create, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString NewListPrompt::name() const
{
    return m_name->text();
}
