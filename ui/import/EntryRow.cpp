#include "ui/import/EntryRow.h"

#include "ui/glass/AccessibleRole.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/glass/SymbolButton.h"
#include "ui/import/ImportTexts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTextCharFormat>
#include <QToolTip>

#include <algorithm>

namespace {

// A warm tint with a dotted underline: visible on the glass in light and dark schemes without
// shouting, and unlike the red wave of a spelling checker it does not say the text is wrong.
QTextCharFormat doubtfulFormat()
{
    const QColor amber(232, 145, 20);
    QTextCharFormat format;
    format.setBackground(GlassPalette::withOpacity(amber, 0.22));
    format.setUnderlineStyle(QTextCharFormat::DotLine);
    format.setUnderlineColor(amber);
    return format;
}

} // namespace

EntryRow::EntryRow(const SlateItem &item, QWidget *parent)
    : QWidget(parent), m_id(item.id), m_tick(new QCheckBox(this)),
      m_subject(new QLineEdit(item.subject, this)), m_text(new QLineEdit(item.text, this)),
      m_trash(new SymbolButton(QStringLiteral("user-trash-symbolic"), GlassPalette::Tone::Secondary,
                               true, this)),
      m_doubtful(::doubtfulSpans(item.textConfidence))
{
    m_tick->setObjectName(QStringLiteral("tickBox"));
    m_tick->setChecked(item.enabled);
    m_tick->setAccessibleName(ImportTexts::tickName());
    m_subject->setObjectName(QStringLiteral("subjectField"));
    m_subject->setPlaceholderText(ImportTexts::subjectPlaceholder());
    m_subject->setAccessibleName(ImportTexts::subjectPlaceholder());
    m_subject->setFixedWidth(GlassFonts::length(62));
    m_text->setObjectName(QStringLiteral("textField"));
    m_text->setPlaceholderText(ImportTexts::textPlaceholder());
    m_text->setAccessibleName(ImportTexts::textPlaceholder());
    m_trash->setObjectName(QStringLiteral("trashButton"));
    m_trash->setToolTip(ImportTexts::removeEntry());
    m_trash->setAccessibleName(m_trash->toolTip());
    // Read as one entry of the result list: its subject and task, kept up to date as they are
    // edited.
    AccessibleRole::set(this, QAccessible::ListItem);
    showAccessibleName();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(8);
    layout->addWidget(m_tick);
    layout->addWidget(m_subject);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_trash);

    connect(m_tick, &QCheckBox::toggled, this, [this](bool ticked) {
        update();
        emit tickedChanged(m_id, ticked);
    });
    connect(m_subject, &QLineEdit::textEdited, this, [this](const QString &text) {
        showAccessibleName();
        emit subjectEdited(m_id, text);
    });
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!m_doubtful.isEmpty()) {
            m_doubtful.clear();
            // Not from inside the field's own input handling, which is still running.
            QMetaObject::invokeMethod(this, &EntryRow::showDoubtfulSpans, Qt::QueuedConnection);
        }
        showAccessibleName();
        emit textEdited(m_id, text);
    });
    connect(m_trash, &QPushButton::clicked, this, [this] { emit removeRequested(m_id); });

    m_text->installEventFilter(this);
    if (!m_doubtful.isEmpty())
        showDoubtfulSpans();
}

// QLineEdit draws extra formats only for input method text; an input method event that commits
// nothing and carries only formats lays them over the existing text (positions are relative to
// the cursor), and an event without formats takes them away again.
void EntryRow::showDoubtfulSpans()
{
    QList<QInputMethodEvent::Attribute> formats;
    const QTextCharFormat format = doubtfulFormat();
    for (const TextSpan &span : std::as_const(m_doubtful))
        formats.append({QInputMethodEvent::TextFormat, int(span.start) - m_text->cursorPosition(),
                        int(span.length), format});
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(m_text, &event);
    m_text->setAccessibleDescription(m_doubtful.isEmpty() ? QString()
                                                          : ImportTexts::doubtfulHint());
}

void EntryRow::showAccessibleName()
{
    setAccessibleName(ImportTexts::rowName(m_subject->text(), m_text->text()));
}

bool EntryRow::isDoubtful(qsizetype position) const
{
    return std::any_of(m_doubtful.cbegin(), m_doubtful.cend(), [position](const TextSpan &span) {
        return position >= span.start && position < span.start + span.length;
    });
}

bool EntryRow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_text || event->type() != QEvent::ToolTip)
        return QWidget::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    // The position between characters nearest the pointer: the character on either side counts.
    const int at = m_text->cursorPositionAt(help->pos());
    if (isDoubtful(at) || isDoubtful(at - 1))
        QToolTip::showText(help->globalPos(), ImportTexts::doubtfulHint(), m_text);
    else
        QToolTip::hideText();
    return true;
}

void EntryRow::setTicked(bool ticked)
{
    m_tick->setChecked(ticked);
}

void EntryRow::focusText()
{
    m_text->setFocus(Qt::OtherFocusReason);
}

QList<QWidget *> EntryRow::focusChain() const
{
    return {m_tick, m_subject, m_text, m_trash};
}

void EntryRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()), 8, 8);
    painter.fillPath(plate,
                     GlassPalette::withOpacity(GlassPalette::primary(palette()),
                                               m_tick->isChecked() ? 0.05 : 0.02));
}
