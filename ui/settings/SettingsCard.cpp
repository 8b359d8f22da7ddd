#include "ui/settings/SettingsCard.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/SectionTitle.h"
#include "ui/glass/ToneLabel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

using GlassPalette::Tone;

SettingsCard::SettingsCard(const QString &symbol, const QString &title, QWidget *parent)
    : GlassPanel(14, std::nullopt, false, parent), m_content(new QVBoxLayout(this))
{
    m_content->setContentsMargins(14, 14, 14, 14);
    m_content->setSpacing(10);
    m_content->addWidget(new SectionTitle(symbol, title, std::nullopt, this));
}

ToneLabel *SettingsCard::addHint(const QString &text)
{
    auto *label =
        new ToneLabel(text, Tone::Secondary, GlassFonts::font(GlassFonts::Style::Caption), this);
    label->setWordWrap(true);
    m_content->addWidget(label);
    return label;
}

QLineEdit *SettingsCard::addField(const QString &label)
{
    auto *stack = new QVBoxLayout;
    stack->setSpacing(4);
    stack->addWidget(
        new ToneLabel(label, Tone::Secondary, GlassFonts::font(GlassFonts::Style::Callout), this));
    auto *field = new QLineEdit(this);
    field->setAccessibleName(label);
    stack->addWidget(field);
    m_content->addLayout(stack);
    return field;
}

void SettingsCard::showChecked(QCheckBox *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

void SettingsCard::showText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}
