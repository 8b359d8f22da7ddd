#include "ui/settings/SettingsView.h"

#include "bridges/notifications/NotificationService.h"
#include "bridges/reminders/ReminderStores.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "data/TaskStore.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPanel.h"
#include "ui/glass/GlassScrollArea.h"
#include "ui/glass/SectionTitle.h"
#include "ui/glass/SymbolView.h"
#include "ui/glass/ToneLabel.h"
#include "ui/settings/SettingsChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using GlassPalette::Tone;

namespace {

GlassPanel *card(QWidget *parent, const QString &symbol, const QString &title,
                 QVBoxLayout *&content)
{
    auto *panel = new GlassPanel(14, std::nullopt, false, parent);
    content = new QVBoxLayout(panel);
    content->setContentsMargins(14, 14, 14, 14);
    content->setSpacing(10);
    content->addWidget(new SectionTitle(symbol, title, std::nullopt, panel));
    return panel;
}

ToneLabel *hint(const QString &text, QWidget *parent)
{
    auto *label =
        new ToneLabel(text, Tone::Secondary, GlassFonts::font(GlassFonts::Style::Caption), parent);
    label->setWordWrap(true);
    return label;
}

QLineEdit *labelledField(const QString &label, QVBoxLayout *into, QWidget *parent)
{
    auto *stack = new QVBoxLayout;
    stack->setSpacing(4);
    stack->addWidget(new ToneLabel(label, Tone::Secondary,
                                   GlassFonts::font(GlassFonts::Style::Callout), parent));
    auto *field = new QLineEdit(parent);
    field->setAccessibleName(label);
    stack->addWidget(field);
    into->addLayout(stack);
    return field;
}

// Fills a two-digit picker with `values`, choosing `current`.
void fillPicker(QComboBox *picker, const QList<int> &values, int current)
{
    const QSignalBlocker quiet(picker);
    picker->clear();
    for (int value : values)
        picker->addItem(SettingsChoices::twoDigits(value), value);
    picker->setCurrentIndex(picker->findData(current));
}

void setChecked(QCheckBox *box, bool checked)
{
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

// Leaves the text alone when it already reads so: the field being typed in keeps its cursor.
void setText(QLineEdit *field, const QString &text)
{
    if (field->text() != text)
        field->setText(text);
}

} // namespace

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
    stack->addWidget(makeNotifyCard(page));
    stack->addWidget(makeWriteCard(page));
    stack->addWidget(makeRecognitionCard(page));
    stack->addWidget(makeDataCard(page));
    stack->addWidget(makeFooter(page));
    stack->addStretch();
    setWidget(page);
    page->setAutoFillBackground(false);

    bindSettings();
    // Shown: the permission line and the count, as the service knows them now.
    m_shared.notify.refreshStatus();
    askPendingCount();
}

QWidget *SettingsView::makeHeader(QWidget *page)
{
    auto *band = new GlassPanel(14, std::nullopt, false, page);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(10);
    row->addWidget(
        new SymbolView(QStringLiteral("preferences-system-symbolic"), 16, Tone::Accent, band));
    auto *title = new QLabel(QStringLiteral("设置"), band);
    title->setFont(GlassFonts::font(GlassFonts::Style::Headline));
    row->addWidget(title);
    row->addStretch();
    return band;
}

QWidget *SettingsView::makeNotifyCard(QWidget *page)
{
    QVBoxLayout *content = nullptr;
    GlassPanel *panel = card(page, QStringLiteral("preferences-system-notifications-symbolic"),
                             QStringLiteral("到期提醒"), content);
    m_notifyOn = new QCheckBox(QStringLiteral("开启到期通知"), panel);
    m_notifyOn->setObjectName(QStringLiteral("notifyOnBox"));
    content->addWidget(m_notifyOn, 0, Qt::AlignLeft);

    auto *leadRow = new QHBoxLayout;
    leadRow->setSpacing(8);
    auto *leadLabel = new QLabel(QStringLiteral("提醒时机"), panel);
    leadRow->addWidget(leadLabel);
    m_lead = new QComboBox(panel);
    m_lead->setObjectName(QStringLiteral("leadPicker"));
    m_lead->setMinimumWidth(140);
    leadRow->addWidget(m_lead);
    leadRow->addStretch();
    content->addLayout(leadRow);

    auto *permissionRow = new QHBoxLayout;
    permissionRow->setSpacing(8);
    m_permission = new ToneLabel(QString(), Tone::Secondary,
                                 GlassFonts::font(GlassFonts::Style::Callout), panel);
    m_permission->setObjectName(QStringLiteral("permissionLabel"));
    m_permission->setWordWrap(true);
    permissionRow->addWidget(m_permission, 1);
    m_request = new QPushButton(QStringLiteral("申请权限"), panel);
    m_request->setObjectName(QStringLiteral("requestPermissionButton"));
    permissionRow->addWidget(m_request);
    m_test = new QPushButton(QStringLiteral("发一条测试通知"), panel);
    m_test->setObjectName(QStringLiteral("testNotificationButton"));
    permissionRow->addWidget(m_test);
    content->addLayout(permissionRow);

    m_pending = hint(QString(), panel);
    m_pending->setObjectName(QStringLiteral("pendingCountLabel"));
    content->addWidget(m_pending);
    content->addWidget(hint(QStringLiteral("修改提醒时机后会自动重新安排所有未完成条目。"), panel));

    connect(m_notifyOn, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.notify.setEnabled(on);
        refreshNotify();
    });
    connect(m_lead, &QComboBox::activated, this, [this](int index) {
        m_shared.notify.setLeadSeconds(m_lead->itemData(index).toDouble());
        refreshNotify();
    });
    connect(m_request, &QPushButton::clicked, this, [this] {
        QPointer<SettingsView> self(this);
        m_shared.notify.request([self](bool) {
            if (self)
                self->refreshNotify();
        });
    });
    connect(m_test, &QPushButton::clicked, this, [this] { m_shared.notify.sendTest(); });
    return panel;
}

QWidget *SettingsView::makeWriteCard(QWidget *page)
{
    QVBoxLayout *content = nullptr;
    GlassPanel *panel =
        card(page, QStringLiteral("document-save-symbolic"), QStringLiteral("写入"), content);
    m_template = labelledField(QStringLiteral("默认清单名模板"), content, panel);
    m_template->setObjectName(QStringLiteral("templateField"));
    content->addWidget(
        hint(QStringLiteral("可用占位符：{M} 月、{D} 日、{YYYY} 年 · 例：{M}.{D}作业 → 9.21作业"),
             panel));

    auto *dueRow = new QHBoxLayout;
    dueRow->setSpacing(10);
    m_dueOn = new QCheckBox(QStringLiteral("默认设置截止时间"), panel);
    m_dueOn->setObjectName(QStringLiteral("dueOnBox"));
    dueRow->addWidget(m_dueOn);
    for (auto [label, picker, name] :
         {std::tuple{QStringLiteral("时"), &m_hour, "hourPicker"},
          std::tuple{QStringLiteral("分"), &m_minute, "minutePicker"}}) {
        auto *box = new QWidget(panel);
        box->setFixedWidth(90);
        auto *pair = new QHBoxLayout(box);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(5);
        pair->addWidget(new QLabel(label, box));
        *picker = new QComboBox(box);
        (*picker)->setObjectName(QString::fromLatin1(name));
        (*picker)->setAccessibleName(label);
        pair->addWidget(*picker, 1);
        dueRow->addWidget(box);
    }
    dueRow->addStretch();
    content->addLayout(dueRow);

    m_dedupe = new QCheckBox(QStringLiteral("写入前自动跳过已存在的同一条目"), panel);
    m_dedupe->setObjectName(QStringLiteral("dedupeBox"));
    content->addWidget(m_dedupe, 0, Qt::AlignLeft);
    m_openAfter = new QCheckBox(QStringLiteral("写到提醒事项后自动打开「提醒事项」"), panel);
    m_openAfter->setObjectName(QStringLiteral("openAfterBox"));
    content->addWidget(m_openAfter, 0, Qt::AlignLeft);
    addReminderStoreRow(content, panel);
    return panel;
}

void SettingsView::addReminderStoreRow(QVBoxLayout *content, QWidget *panel)
{
    using Store = AppSettings::ReminderStore;
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    auto *label = new QLabel(QStringLiteral("提醒事项存储"), panel);
    row->addWidget(label);
    m_reminderStore = new QComboBox(panel);
    m_reminderStore->setObjectName(QStringLiteral("reminderStorePicker"));
    m_reminderStore->setAccessibleName(label->text());
    row->addWidget(m_reminderStore);
    row->addStretch();
    content->addLayout(row);
    content->addWidget(
        hint(QStringLiteral("本机文件夹：iCalendar 文件，可用 todoman 查看、vdirsyncer 同步到手机。"
                            "桌面任务：与 Evolution、GNOME 待办共用，经“在线帐户”同步。"),
             panel));

    connect(m_reminderStore, &QComboBox::activated, this, [this](int index) {
        const auto kind = Store(m_reminderStore->itemData(index).toInt());
        if (kind == m_shared.settings.reminderStore())
            return;
        m_shared.settings.setReminderStore(kind);
        m_shared.service.useStore(ReminderStores::make(kind));
    });
    connect(&m_shared.settings, &AppSettings::reminderStoreChanged, this,
            &SettingsView::showReminderStore);
    // The desktop's task lists are offered only where D-Bus runs or can start their service.
    ReminderStores::probeDesktopTasks(this, [this](bool offered) {
        m_desktopTasksOffered = offered;
        showReminderStore();
    });
    showReminderStore();
}

void SettingsView::showReminderStore()
{
    using Store = AppSettings::ReminderStore;
    const Store chosen = m_shared.settings.reminderStore();
    const QSignalBlocker quiet(m_reminderStore);
    m_reminderStore->clear();
    for (const Store kind : {Store::Folder, Store::Evolution}) {
        if (kind == Store::Evolution && !m_desktopTasksOffered && chosen != kind)
            continue;
        m_reminderStore->addItem(ReminderStores::title(kind), int(kind));
    }
    m_reminderStore->setCurrentIndex(m_reminderStore->findData(int(chosen)));
}

QWidget *SettingsView::makeRecognitionCard(QWidget *page)
{
    QVBoxLayout *content = nullptr;
    GlassPanel *panel =
        card(page, QStringLiteral("scanner-symbolic"), QStringLiteral("识别"), content);
    m_languages = labelledField(QStringLiteral("识别语言（逗号分隔）"), content, panel);
    m_languages->setObjectName(QStringLiteral("languagesField"));
    content->addWidget(hint(
        QStringLiteral("zh-Hans = 简体中文，en-US = 英文。手写体建议保留 zh-Hans 在前。"), panel));
    m_subjects = labelledField(QStringLiteral("科目词表（逗号分隔）"), content, panel);
    m_subjects->setObjectName(QStringLiteral("subjectsField"));
    content->addWidget(
        hint(QStringLiteral("识别时按这些词把文字归到对应科目下，可按自己学校的科目改。"), panel));
    return panel;
}

QWidget *SettingsView::makeDataCard(QWidget *page)
{
    QVBoxLayout *content = nullptr;
    GlassPanel *panel = card(page, QStringLiteral("drive-harddisk-symbolic"),
                             QStringLiteral("记录与数据"), content);
    m_history = new QCheckBox(QStringLiteral("保存导入历史（含图片路径、条目清单）"), panel);
    m_history->setObjectName(QStringLiteral("saveHistoryBox"));
    content->addWidget(m_history, 0, Qt::AlignLeft);
    content->addWidget(hint(QStringLiteral("数据保存在本机，不上传任何服务器。"), panel));
    return panel;
}

QWidget *SettingsView::makeFooter(QWidget *page)
{
    auto *band = new GlassPanel(14, std::nullopt, false, page);
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(14, 10, 14, 10);
    m_restore = new QPushButton(QStringLiteral("恢复默认设置"), band);
    m_restore->setObjectName(QStringLiteral("restoreDefaultsButton"));
    row->addWidget(m_restore);
    row->addStretch();
    connect(m_restore, &QPushButton::clicked, this, &SettingsView::restoreDefaults);
    return band;
}

void SettingsView::bindSettings()
{
    AppSettings &settings = m_shared.settings;
    NotificationService &notify = m_shared.notify;

    // Settings to controls, now and whenever either screen (or anyone) changes them.
    const auto showTemplate = [this, &settings] {
        setText(m_template, settings.listNameTemplate());
    };
    const auto showLanguages = [this, &settings] { setText(m_languages, settings.ocrLangText()); };
    const auto showSubjects = [this, &settings] { setText(m_subjects, settings.subjectsText()); };
    const auto showDueOn = [this, &settings] { setChecked(m_dueOn, settings.dueEnabled()); };
    const auto showDedupe = [this, &settings] { setChecked(m_dedupe, settings.dedupe()); };
    const auto showOpenAfter = [this, &settings] {
        setChecked(m_openAfter, settings.openAfterWrite());
    };
    const auto showHistory = [this, &settings] { setChecked(m_history, settings.saveHistory()); };
    connect(&settings, &AppSettings::listNameTemplateChanged, this, showTemplate);
    connect(&settings, &AppSettings::ocrLangTextChanged, this, showLanguages);
    connect(&settings, &AppSettings::subjectsTextChanged, this, showSubjects);
    connect(&settings, &AppSettings::dueEnabledChanged, this, showDueOn);
    connect(&settings, &AppSettings::dueHourChanged, this, &SettingsView::showDueTime);
    connect(&settings, &AppSettings::dueMinuteChanged, this, &SettingsView::showDueTime);
    connect(&settings, &AppSettings::dedupeChanged, this, showDedupe);
    connect(&settings, &AppSettings::openAfterWriteChanged, this, showOpenAfter);
    connect(&settings, &AppSettings::saveHistoryChanged, this, showHistory);
    connect(&notify, &NotificationService::enabledChanged, this, &SettingsView::showNotifyOptions);
    connect(&notify, &NotificationService::leadSecondsChanged, this,
            &SettingsView::showNotifyOptions);
    connect(&notify, &NotificationService::statusTextChanged, this, [this] {
        m_permission->setText(QStringLiteral("通知权限：") + m_shared.notify.statusText());
    });
    showTemplate();
    showLanguages();
    showSubjects();
    showDueOn();
    showDueTime();
    showDedupe();
    showOpenAfter();
    showHistory();
    showNotifyOptions();
    m_permission->setText(QStringLiteral("通知权限：") + notify.statusText());
    m_pending->setText(
        QStringLiteral("已安排 0 条到期提醒（统计的是本 App 排在系统通知里的条数）"));

    // Controls to settings, at once.
    connect(m_template, &QLineEdit::textEdited, &settings, &AppSettings::setListNameTemplate);
    connect(m_languages, &QLineEdit::textEdited, &settings, &AppSettings::setOcrLangText);
    connect(m_subjects, &QLineEdit::textEdited, &settings, &AppSettings::setSubjectsText);
    connect(m_dueOn, &QCheckBox::toggled, &settings, &AppSettings::setDueEnabled);
    connect(m_dedupe, &QCheckBox::toggled, &settings, &AppSettings::setDedupe);
    connect(m_openAfter, &QCheckBox::toggled, &settings, &AppSettings::setOpenAfterWrite);
    connect(m_history, &QCheckBox::toggled, &settings, &AppSettings::setSaveHistory);
    connect(m_hour, &QComboBox::activated, this,
            [this](int index) { m_shared.settings.setDueHour(m_hour->itemData(index).toInt()); });
    connect(m_minute, &QComboBox::activated, this, [this](int index) {
        m_shared.settings.setDueMinute(m_minute->itemData(index).toInt());
    });
}

void SettingsView::showNotifyOptions()
{
    setChecked(m_notifyOn, m_shared.notify.enabled());
    const QSignalBlocker quiet(m_lead);
    const double stored = m_shared.notify.leadSeconds();
    m_lead->clear();
    for (const SettingsChoices::Lead &lead : SettingsChoices::leads(stored))
        m_lead->addItem(lead.label, lead.seconds);
    m_lead->setCurrentIndex(m_lead->findData(stored));
}

void SettingsView::showDueTime()
{
    fillPicker(m_hour, SettingsChoices::hours(m_shared.settings.dueHour()),
               m_shared.settings.dueHour());
    fillPicker(m_minute, SettingsChoices::minutes(m_shared.settings.dueMinute()),
               m_shared.settings.dueMinute());
}

void SettingsView::refreshNotify()
{
    m_shared.notify.reschedule(m_shared.store.allPending());
    QTimer::singleShot(600, this, &SettingsView::askPendingCount);
}

void SettingsView::askPendingCount()
{
    QPointer<SettingsView> self(this);
    m_shared.notify.pendingCount([self](int count) {
        if (!self)
            return;
        self->m_pendingCount = count;
        self->m_pending->setText(
            QStringLiteral("已安排 ") + QString::number(count) +
            QStringLiteral(" 条到期提醒（统计的是本 App 排在系统通知里的条数）"));
        emit self->pendingCountChanged(count);
    });
}

void SettingsView::restoreDefaults()
{
    SettingsChoices::restoreDefaults(m_shared.settings);
}
