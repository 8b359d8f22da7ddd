#include "ui/import/RawTextSection.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"
#include "ui/icons/SymbolIcon.h"
#include "ui/import/ImportTexts.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTransform>
#include <QVBoxLayout>

namespace {

QIcon chevron(const QPalette &palette, bool expanded, qreal ratio)
{
    QPixmap pixmap = SymbolIcon::pixmap(QStringLiteral("go-next-symbolic"), 11,
                                        GlassPalette::secondary(palette), ratio);
    if (expanded) {
        pixmap = pixmap.transformed(QTransform().rotate(90), Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(ratio);
    }
    return QIcon(pixmap);
}

} // namespace

RawTextSection::RawTextSection(QWidget *parent)
    : QWidget(parent), m_header(new QToolButton(this)), m_text(new QPlainTextEdit(this))
{
    setFixedWidth(300);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    m_header->setObjectName(QStringLiteral("rawTextToggle"));
    m_header->setAutoRaise(true);
    m_header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_header->setFont(GlassFonts::font(GlassFonts::Style::Callout));
    m_header->setIconSize(QSize(11, 11));
    m_header->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_header, 0, Qt::AlignLeft);

    m_text->setObjectName(QStringLiteral("rawText"));
    m_text->setAccessibleName(ImportTexts::rawTextName());
    m_text->setReadOnly(true);
    m_text->setFont(GlassFonts::monospacedCaption());
    m_text->setFixedHeight(110);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setVisible(false);
    layout->addWidget(m_text);

    connect(m_header, &QToolButton::clicked, this, [this] { setExpanded(!m_expanded); });
    setExpanded(false);
}

void RawTextSection::setLines(const QStringList &lines)
{
    m_header->setText(ImportTexts::rawTextTitle(lines.size()));
    m_text->setPlainText(lines.join(QLatin1Char('\n')));
}

void RawTextSection::setExpanded(bool expanded)
{
    m_expanded = expanded;
    refreshChevron();
    m_text->setVisible(expanded);
}

void RawTextSection::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        refreshChevron();
    QWidget::changeEvent(event);
}

void RawTextSection::refreshChevron()
{
    m_header->setIcon(chevron(palette(), m_expanded, devicePixelRatioF()));
}

QList<QWidget *> RawTextSection::focusChain() const
{
    return {m_header, m_text};
}
