#include "ui/about/AboutView.h"

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

    m_version = new ToneLabel(versionLine(QCoreApplication::applicationVersion()), Tone::Secondary,
                              GlassFonts::font(GlassFonts::Style::Caption), page);
    m_version->setObjectName(QStringLiteral("versionLabel"));
    stack->addWidget(m_version, 0, Qt::AlignHCenter);

    auto *tagline = new QLabel(QStringLiteral("把作业照片变成提醒事项清单"), page);
    tagline->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    tagline->setContentsMargins(0, 4, 0, 0);
    stack->addWidget(tagline, 0, Qt::AlignHCenter);

    m_reminderStore =
        new ToneLabel(QStringLiteral("提醒事项存储：") + m_shared.service.storeTitle(),
                      Tone::Secondary, GlassFonts::font(GlassFonts::Style::Caption), page);
    m_reminderStore->setObjectName(QStringLiteral("reminderStoreLabel"));
    stack->addWidget(m_reminderStore, 0, Qt::AlignHCenter);

    stack->addWidget(makeFeatureList(page), 0, Qt::AlignHCenter);
    stack->addWidget(makeButtons(page), 0, Qt::AlignHCenter);

    auto *hint = new ToneLabel(remindersHint(m_shared.service.folder()), Tone::Secondary,
                               GlassFonts::font(GlassFonts::Style::Caption), page);
    hint->setTextFormat(Qt::PlainText);
    hint->setObjectName(QStringLiteral("permissionHint"));
    hint->setAlignment(Qt::AlignHCenter);
    hint->setContentsMargins(0, 6, 0, 0);
    stack->addWidget(hint, 0, Qt::AlignHCenter);
    stack->addStretch();

    setWidget(page);
    page->setAutoFillBackground(false);
}

QList<AboutView::Feature> AboutView::features()
{
    return {
        {QStringLiteral("camera-photo-symbolic"), QStringLiteral("识别"),
         QStringLiteral("使用本机离线文字识别（PP-OCR），识别印刷体、毛笔字与手写")},
        {QStringLiteral("checklist-symbolic"), QStringLiteral("整理"),
         QStringLiteral("按科目自动拆分条目，去掉序号、统一页码大小写")},
        {QStringLiteral("preferences-system-notifications-symbolic"), QStringLiteral("清单与提醒"),
         QStringLiteral("条目存在 App 自己的清单里，到期用系统通知提醒你")},
        {QStringLiteral("emblem-synchronizing-symbolic"), QStringLiteral("互通"),
         QStringLiteral("可一键导出到系统提醒事项，也能从提醒事项导入")},
        {QStringLiteral("document-open-recent-symbolic"), QStringLiteral("记录"),
         QStringLiteral("每次导入留档，可一键重新写入（自动跳过已有）")},
        {QStringLiteral("security-high-symbolic"), QStringLiteral("隐私"),
         QStringLiteral("完全离线运行，不联网、不需要账号，数据只在本机")},
    };
}

QString AboutView::versionLine(const QString &version)
{
    return QStringLiteral("版本 ") + (version.isEmpty() ? QStringLiteral("—") : version);
}

QString AboutView::remindersHint(const std::optional<QString> &folder)
{
    if (folder) {
        // The home folder as "~", so the line stays short.
        QString shown = *folder;
        if (shown.startsWith(QDir::homePath() + QLatin1Char('/')))
            shown.replace(0, QDir::homePath().size(), QStringLiteral("~"));
        return QStringLiteral("如果写入提醒事项失败：请确认提醒事项目录\n") + shown +
            QStringLiteral("\n存在、当前用户可以写入，并且磁盘没有写满。");
    }
    return QStringLiteral(
        "如果写入提醒事项失败：请确认 Evolution 数据服务（evolution-data-server）\n"
        "已安装并在运行，日历或任务应用能打开任务列表。");
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
    for (const Feature &feature : features()) {
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
    m_dataFolder = new QPushButton(QStringLiteral("打开数据目录"), box);
    m_dataFolder->setObjectName(QStringLiteral("aboutDataFolderButton"));
    row->addWidget(m_dataFolder);
    connect(m_dataFolder, &QPushButton::clicked, this,
            [this] { DesktopServices::openFolder(m_shared.history.dir()); });
    // The desktop has no Reminders privacy page; reminders kept in a folder get that folder.
    if (m_shared.service.folder()) {
        m_remindersFolder = new QPushButton(QStringLiteral("打开提醒事项目录"), box);
        m_remindersFolder->setObjectName(QStringLiteral("remindersFolderButton"));
        row->addWidget(m_remindersFolder);
        connect(m_remindersFolder, &QPushButton::clicked, this,
                [this] { m_shared.service.openRemindersApp(); });
    }
    return box;
}
