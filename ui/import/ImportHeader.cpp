#include "ui/import/ImportHeader.h"

#include "ui/glass/DueDateEdit.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/SegmentedControl.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/import/ImportTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using GlassPalette::Tone;

ImportHeader::ImportHeader(QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent),
      m_target(new SegmentedControl(
          {ImportTexts::saveToAppTarget(), ImportTexts::remindersTarget()}, this)),
      m_listName(new QLineEdit(this)), m_dueOn(new QCheckBox(ImportTexts::dueCheck(), this)),
      m_due(new DueDateEdit(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(10);

    layout->addWidget(
        new SymbolView(QStringLiteral("document-import-symbolic"), 19, Tone::Accent, this));
    auto *title = new QLabel(ImportTexts::screenTitle(), this);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    layout->addWidget(title);
    layout->addStretch();

    m_target->setObjectName(QStringLiteral("targetSwitch"));
    m_target->setFixedWidth(qMax(185, m_target->sizeHint().width()));
    m_target->setToolTip(ImportTexts::targetDescription());
    m_target->setAccessibleLabel(ImportTexts::targetName());
    layout->addWidget(m_target);

    layout->addWidget(new ToneLabel(ImportTexts::listLabel(), Tone::Secondary,
                                    GlassFonts::font(GlassFonts::Style::Callout), this));
    m_listName->setObjectName(QStringLiteral("listNameField"));
    m_listName->setPlaceholderText(ImportTexts::listNamePlaceholder());
    m_listName->setAccessibleName(ImportTexts::listNamePlaceholder());
    m_listName->setFixedWidth(GlassFonts::length(118));
    layout->addWidget(m_listName);

    m_dueOn->setObjectName(QStringLiteral("dueCheck"));
    layout->addWidget(m_dueOn);
    m_due->setObjectName(QStringLiteral("dueEdit"));
    m_due->setAccessibleName(ImportTexts::dueName());
    m_due->setDisplayFormat(QStringLiteral("yyyy/M/d HH:mm"));
    m_due->setCalendarPopup(true);
    layout->addWidget(m_due);

    connect(m_dueOn, &QCheckBox::toggled, m_due, &QWidget::setEnabled);
    connect(m_target, &SegmentedControl::currentIndexChanged, this,
            [this](int index) { emit targetChanged(index == 0); });
}

QList<QWidget *> ImportHeader::focusChain() const
{
    return {m_target, m_listName, m_dueOn, m_due};
}

bool ImportHeader::savesToApp() const
{
    return m_target->currentIndex() == 0;
}

QString ImportHeader::listName() const
{
    return m_listName->text();
}

void ImportHeader::setListName(const QString &name)
{
    m_listName->setText(name);
}

bool ImportHeader::dueOn() const
{
    return m_dueOn->isChecked();
}

void ImportHeader::setDueOn(bool on)
{
    m_dueOn->setChecked(on);
    m_due->setEnabled(on);
}

QDateTime ImportHeader::due() const
{
    return m_due->dateTime();
}

void ImportHeader::setDue(const QDateTime &due)
{
    m_due->setDateTime(due);
}
