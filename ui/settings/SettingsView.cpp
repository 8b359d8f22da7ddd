#include "ui/settings/SettingsView.h"

#include "data/AppSettings.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/SymbolView.h"
#include "ui/settings/DataCard.h"
#include "ui/settings/NotifyCard.h"
#include "ui/settings/RecognitionCard.h"
#include "ui/settings/SettingsTexts.h"
#include "ui/settings/WriteCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SettingsView::SettingsView(SharedObjects shared, QWidget *parent)
    : QScrollArea(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("settingsView"));
    setMinimumSize(560, 560);
    GlassScrollArea::configure(*this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *page = new QWidget(this);
    auto *stack = new QVBoxLayout(page);
    stack->setContentsMargins(18, 6, 18, 24);
    stack->setSpacing(14);
    stack->addWidget(makeHeader(page));
    m_notify = new NotifyCard(m_shared, page);
    stack->addWidget(m_notify);
    stack->addWidget(new WriteCard(m_shared, page));
    stack->addWidget(new RecognitionCard(m_shared.settings, page));
    stack->addWidget(new DataCard(m_shared.settings, page));
    stack->addWidget(makeFooter(page));
    stack->addStretch();
    setWidget(page);
    page->setAutoFillBackground(false);
}

int SettingsView::pendingCount() const
{
    return m_notify->pendingCount();
}

QWidget *SettingsView::makeHeader(QWidget *page)
{
    auto *band = new GlassPanel(14, std::nullopt, false, page);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(10);
    row->addWidget(new SymbolView(QStringLiteral("preferences-system-symbolic"), 16,
                                  GlassPalette::Tone::Accent, band));
    auto *title = new QLabel(SettingsTexts::screenTitle(), band);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    row->addWidget(title);
    row->addStretch();
    return band;
}

QWidget *SettingsView::makeFooter(QWidget *page)
{
    auto *band = new GlassPanel(14, std::nullopt, false, page);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(14, 10, 14, 10);
    auto *restore = new QPushButton(SettingsTexts::restoreDefaults(), band);
    restore->setObjectName(QStringLiteral("restoreDefaultsButton"));
    row->addWidget(restore);
    row->addStretch();
    connect(restore, &QPushButton::clicked, this, &SettingsView::restoreDefaults);
    return band;
}

void SettingsView::restoreDefaults()
{
    m_shared.settings.restoreDefaults();
}
