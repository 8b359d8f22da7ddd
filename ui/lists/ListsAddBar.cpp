#include "ui/lists/ListsAddBar.h"

#include "core/HorizontalSpace.h"
#include "ui/glass/DueDateEdit.h"
#include "ui/glass/SymbolView.h"
#include "ui/lists/ListsTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

ListsAddBar::ListsAddBar(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent), m_field(new QLineEdit(this)),
      m_dueCheck(new QCheckBox(ListsTexts::dueCheck(), this)),
      m_dueEdit(new DueDateEdit(QDateTime::currentDateTime(), this)),
      m_addButton(new QPushButton(ListsTexts::addButton(), this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(8);
    row->addWidget(
        new SymbolView(QStringLiteral("list-add-symbolic"), 17, GlassPalette::Tone::Accent, this));
    m_field->setObjectName(QStringLiteral("addField"));
    m_field->setPlaceholderText(ListsTexts::addPlaceholder());
    m_field->setAccessibleName(ListsTexts::addFieldName());
    m_field->setAccessibleDescription(ListsTexts::addPlaceholder());
    row->addWidget(m_field, 1);
    m_dueCheck->setObjectName(QStringLiteral("addDueCheck"));
    row->addWidget(m_dueCheck);
    m_dueEdit->setObjectName(QStringLiteral("addDueEdit"));
    m_dueEdit->setAccessibleName(ListsTexts::dueName());
    m_dueEdit->setDisplayFormat(QStringLiteral("yyyy/M/d HH:mm"));
    m_dueEdit->setCalendarPopup(true);
    m_dueEdit->setEnabled(false);
    row->addWidget(m_dueEdit);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setEnabled(false);
    row->addWidget(m_addButton);

    connect(m_dueCheck, &QCheckBox::toggled, m_dueEdit, &QWidget::setEnabled);
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_addButton->setEnabled(!trimHorizontalSpace(text).isEmpty());
    });
    connect(m_field, &QLineEdit::returnPressed, this, &ListsAddBar::addRequested);
    connect(m_addButton, &QPushButton::clicked, this, &ListsAddBar::addRequested);
}

QString ListsAddBar::text() const
{
    return m_field->text();
}

std::optional<QDateTime> ListsAddBar::due() const
{
    return m_dueCheck->isChecked() ? std::optional(m_dueEdit->dateTime()) : std::nullopt;
}

void ListsAddBar::clearText()
{
    m_field->clear();
}

void ListsAddBar::focusField()
{
    m_field->setFocus(Qt::OtherFocusReason);
}
