#include "ui/about/AboutView.h"

#include "ui/about/AboutTexts.h"

#include "bridges/desktop/DesktopServices.h"
#include "bridges/reminders/RemindersService.h"
#include "data/HistoryStore.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/icons/SymbolIcon.h"

#include <QApplication>
#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

using GlassPalette::Tone;

namespace {

constexpr int iconSide = 108;

// The application's icon as the desktop knows it; without one, the app tile drawn large.
QPixmap applicationIcon(qreal ratio)
{
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        return icon.pixmap(QSize(iconSide, iconSide), ratio);
    QPixmap tile(QSize(iconSide, iconSide) * ratio);
    tile.setDevicePixelRatio(ratio);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0, 0, iconSide, iconSide);
    const QLinearGradient gradient = GlassPalette::brandGradient(box);
    QPainterPath path;
    path.addRoundedRect(box, 24, 24);
    painter.fillPath(path, gradient);
    const int mark = 60;
    painter.drawPixmap(
        (iconSide - mark) / 2, (iconSide - mark) / 2,
        SymbolIcon::pixmap(QStringLiteral("slatebook-mark"), mark, Qt::white, ratio));
    return tile;
}

} // namespace

AboutView::AboutView(SharedObjects shared, QWidget *parent) : QScrollArea(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("aboutView"));
    setMinimumSize(520, 520);
    GlassScrollArea::configure(*this);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *page = new QWidget(this);
    auto *stack = new QVBoxLayout(page);
    stack->setContentsMargins(24, 10, 24, 28);
    stack->setSpacing(14);

    auto *icon = new QLabel(page);
    icon->setObjectName(QStringLiteral("appIcon"));
    icon->setFixedSize(iconSide, iconSide);
    icon->setPixmap(applicationIcon(devicePixelRatioF()));
    auto *shadow = new QGraphicsDropShadowEffect(icon);
    shadow->setColor(QColor::fromRgbF(0, 0, 0, 0.18f));
    shadow->setBlurRadius(12 * 2);
    shadow->setOffset(0, 6);
    icon->setGraphicsEffect(shadow);
    stack->addWidget(icon, 0, Qt::AlignHCenter);

    auto *name = new QLabel(QStringLiteral("Slatebook"), page);
    QFont nameFont = GlassFonts::system(22, QFont::Bold);
    name->setFont(nameFont);
    stack->addWidget(name, 0, Qt::AlignHCenter);

    m_version = new ToneLabel(AboutTexts::versionLine(QCoreApplication::applicationVersion()),
                              Tone::Secondary, GlassFonts::font(GlassFonts::Style::Caption), page);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    stack->addWidget(m_version, 0, Qt::AlignHCenter);

    auto *tagline = new QLabel(AboutTexts::tagline(), page);
    tagline->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    tagline->setContentsMargins(0, 4, 0, 0);
    stack->addWidget(tagline, 0, Qt::AlignHCenter);

    m_reminderStore =
        new ToneLabel(AboutTexts::reminderStore(m_shared.service.storeTitle()), Tone::Secondary,
                      GlassFonts::font(GlassFonts::Style::Caption), page);
    m_reminderStore->setObjectName(QStringLiteral("reminderStoreLabel"));
    stack->addWidget(m_reminderStore, 0, Qt::AlignHCenter);

    stack->addWidget(makeFeatureList(page), 0, Qt::AlignHCenter);
    stack->addWidget(makeButtons(page), 0, Qt::AlignHCenter);

    auto *hint = new ToneLabel(AboutTexts::remindersHint(m_shared.service.folder()),
                               Tone::Secondary, GlassFonts::font(GlassFonts::Style::Caption), page);
    hint->setTextFormat(Qt::PlainText);
    hint->setObjectName(QStringLiteral("permissionHint"));
    hint->setAlignment(Qt::AlignHCenter);
    hint->setContentsMargins(0, 6, 0, 0);
    stack->addWidget(hint, 0, Qt::AlignHCenter);
    stack->addStretch();

    setWidget(page);
    page->setAutoFillBackground(false);
}

QWidget *AboutView::makeFeatureList(QWidget *page)
{
    auto *panel = new GlassPanel(16, std::nullopt, false, page);
    panel->setObjectName(QStringLiteral("featureList"));
    // 480 wide, the widest the list may be: centred in the page it would otherwise shrink to its
    // wrapped texts' narrowest.
    panel->setFixedWidth(480);
    auto *stack = new QVBoxLayout(panel);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(10);
    for (const AboutTexts::Feature &feature : AboutTexts::features()) {
        auto *row = new QHBoxLayout;
        row->setSpacing(10);
        auto *symbol = new SymbolView(feature.symbol, 17, Tone::Accent, panel);
        symbol->setBoxWidth(20);
        row->addWidget(symbol, 0, Qt::AlignTop);
        auto *texts = new QVBoxLayout;
        texts->setSpacing(2);
        auto *title = new QLabel(feature.title, panel);
        title->setFont(GlassFonts::system(12, QFont::Bold));
        texts->addWidget(title);
        auto *text = new ToneLabel(feature.text, Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Caption), panel);
        text->setWordWrap(true);
        texts->addWidget(text);
        row->addLayout(texts, 1);
        stack->addLayout(row);
    }
    // The page centres the panel, and a centred item gets its size hint's height, not the one
    // its wrapped texts need at this width.
    panel->setMinimumHeight(panel->heightForWidth(panel->width()));
    return panel;
}

QWidget *AboutView::makeButtons(QWidget *page)
{
    auto *box = new QWidget(page);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    m_dataFolder = new QPushButton(AboutTexts::openDataFolder(), box);
    m_dataFolder->setObjectName(QStringLiteral("aboutDataFolderButton"));
    row->addWidget(m_dataFolder);
    connect(m_dataFolder, &QPushButton::clicked, this,
            [this] { DesktopServices::openFolder(m_shared.history.dir()); });
    // The desktop has no Reminders privacy page; reminders kept in a folder get that folder.
    if (m_shared.service.folder()) {
        m_remindersFolder = new QPushButton(AboutTexts::openRemindersFolder(), box);
        m_remindersFolder->setObjectName(QStringLiteral("remindersFolderButton"));
        row->addWidget(m_remindersFolder);
        connect(m_remindersFolder, &QPushButton::clicked, this,
                [this] { m_shared.service.openRemindersApp(); });
    }
    return box;
}
