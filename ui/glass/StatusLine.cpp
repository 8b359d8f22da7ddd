#include "ui/glass/StatusLine.h"

#include "ui/glass/AccessibleRole.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/ToneLabel.h"

#include <QHBoxLayout>
#include <QPushButton>

using GlassPalette::Tone;

StatusLine::StatusLine(const QString &labelName, const QFont &font, QWidget *parent)
    : QWidget(parent), m_label(new ToneLabel(QString(), Tone::Secondary, font, this)),
      m_dismiss(new QPushButton(QStringLiteral("知道了"), this))
{
    // A screen reader reads a status bar's name out whenever it changes.
    AccessibleRole::set(this, QAccessible::StatusBar);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    m_label->setObjectName(labelName);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_label->setVisible(false);
    row->addWidget(m_label, 1);
    m_dismiss->setObjectName(QStringLiteral("dismissFailureButton"));
    m_dismiss->setFont(GlassFonts::font(GlassFonts::Style::Caption));
    m_dismiss->setFlat(true);
    m_dismiss->setVisible(false);
    row->addWidget(m_dismiss, 0, Qt::AlignVCenter);
    connect(m_dismiss, &QPushButton::clicked, this, &StatusLine::acknowledge);
}

QString StatusLine::text() const
{
    return m_label->text();
}

QList<QWidget *> StatusLine::focusChain() const
{
    return {m_dismiss};
}

void StatusLine::collapseWhenEmpty()
{
    m_collapses = true;
    setVisible(!text().isEmpty());
}

void StatusLine::setStatus(const QString &status)
{
    if (!m_failure)
        display(status, false);
}

void StatusLine::setFailure(const QString &reason)
{
    display(QStringLiteral("❌ ") + reason, true);
}

void StatusLine::acknowledge()
{
    if (m_failure)
        display(QString(), false);
}

void StatusLine::display(const QString &text, bool failure)
{
    m_failure = failure;
    m_label->setTone(failure ? Tone::Primary : Tone::Secondary);
    m_label->setText(text);
    m_label->setToolTip(text);
    m_label->setVisible(!text.isEmpty());
    if (m_collapses)
        setVisible(!text.isEmpty());
    m_dismiss->setVisible(failure);
    // Announced through the status bar's name (a name change); a failure is an alert as well.
    setAccessibleName(text);
    if (failure) {
        QAccessibleEvent alert(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
    emit textChanged(text);
}
