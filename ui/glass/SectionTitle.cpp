#include "ui/glass/SectionTitle.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>

SectionTitle::SectionTitle(const QString &symbol, const QString &text, std::optional<QColor> tint,
                           QWidget *parent)
    : QWidget(parent), m_symbol(new SymbolView(symbol, 16, GlassPalette::Tone::Accent, this))
{
    if (tint)
        m_symbol->setFixedColor(*tint);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(7);
    auto *title = new QLabel(text, this);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    layout->addWidget(m_symbol, 0, Qt::AlignVCenter);
    layout->addWidget(title, 0, Qt::AlignVCenter);
    layout->addStretch();
}
