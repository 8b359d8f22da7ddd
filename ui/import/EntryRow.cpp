#include "ui/import/EntryRow.h"

#include "ui/glass/GlassPalette.h"
#include "ui/glass/SymbolButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

EntryRow::EntryRow(const SlateItem &item, QWidget *parent)
    : QWidget(parent)
    , m_id(item.id)
    , m_tick(new QCheckBox(this))
    , m_subject(new QLineEdit(item.subject, this))
    , m_text(new QLineEdit(item.text, this))
    , m_trash(new SymbolButton(QStringLiteral("trash"), GlassPalette::Tone::Secondary, true, this))
{
    m_tick->setObjectName(QStringLiteral("tickBox"));
    m_tick->setChecked(item.enabled);
    m_tick->setAccessibleName(QStringLiteral("写入这一条"));
    m_subject->setObjectName(QStringLiteral("subjectField"));
    m_subject->setPlaceholderText(QStringLiteral("科目"));
    m_subject->setFixedWidth(62);
    m_text->setObjectName(QStringLiteral("textField"));
    m_text->setPlaceholderText(QStringLiteral("内容"));
    m_trash->setObjectName(QStringLiteral("trashButton"));
    m_trash->setToolTip(QStringLiteral("删除这一条"));
    m_trash->setAccessibleName(m_trash->toolTip());

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
    connect(m_subject, &QLineEdit::textEdited, this, [this](const QString &text) { emit subjectEdited(m_id, text); });
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) { emit textEdited(m_id, text); });
    connect(m_trash, &QPushButton::clicked, this, [this] { emit removeRequested(m_id); });
}

void EntryRow::setTicked(bool ticked)
{
    m_tick->setChecked(ticked);
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
    painter.fillPath(plate, GlassPalette::withOpacity(GlassPalette::primary(palette()), m_tick->isChecked() ? 0.05 : 0.02));
}
