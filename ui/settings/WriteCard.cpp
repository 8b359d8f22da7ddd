#include "ui/settings/WriteCard.h"

#include "bridges/reminders/ReminderStores.h"
#include "bridges/reminders/RemindersService.h"
#include "data/AppSettings.h"
#include "ui/settings/SettingsChoices.h"
#include "ui/settings/SettingsTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// Fills a two-digit picker with `values`, choosing `current`.
void fillPicker(QComboBox *picker, const QList<int> &values, int current)
{
    const QSignalBlocker quiet(picker);
    picker->clear();
    for (int value : values)
        picker->addItem(SettingsChoices::twoDigits(value), value);
    picker->setCurrentIndex(picker->findData(current));
}

} // namespace

WriteCard::WriteCard(SharedObjects shared, QWidget *parent)
    : SettingsCard(QStringLiteral("document-save-symbolic"), SettingsTexts::writeTitle(), parent),
      m_shared(shared)
{
    m_template = addField(SettingsTexts::templateLabel());
    m_template->setObjectName(QStringLiteral("templateField"));
    addHint(SettingsTexts::templateHint());
    addDueRow();

    m_dedupe = new QCheckBox(SettingsTexts::dedupe(), this);
    m_dedupe->setObjectName(QStringLiteral("dedupeBox"));
    content()->addWidget(m_dedupe, 0, Qt::AlignLeft);
    m_openAfter = new QCheckBox(SettingsTexts::openAfter(), this);
    m_openAfter->setObjectName(QStringLiteral("openAfterBox"));
    content()->addWidget(m_openAfter, 0, Qt::AlignLeft);
    addReminderStoreRow();
    bindSettings();
}

void WriteCard::addDueRow()
{
    auto *dueRow = new QHBoxLayout;
    dueRow->setSpacing(10);
    m_dueOn = new QCheckBox(SettingsTexts::dueOn(), this);
    m_dueOn->setObjectName(QStringLiteral("dueOnBox"));
    dueRow->addWidget(m_dueOn);
    for (auto [label, picker, name] :
         {std::tuple{SettingsTexts::hourLabel(), &m_hour, "hourPicker"},
          std::tuple{SettingsTexts::minuteLabel(), &m_minute, "minutePicker"}}) {
        auto *box = new QWidget(this);
        box->setFixedWidth(90);
        auto *pair = new QHBoxLayout(box);
        pair->setContentsMargins(0, 0, 0, 0);
        pair->setSpacing(5);
        pair->addWidget(new QLabel(label, box));
        *picker = new QComboBox(box);
        (*picker)->setObjectName(QString::fromLatin1(name));
        (*picker)->setAccessibleName(label);
        (*picker)->setAccessibleDescription(SettingsTexts::dueOn());
        pair->addWidget(*picker, 1);
        dueRow->addWidget(box);
    }
    dueRow->addStretch();
    content()->addLayout(dueRow);
}

void WriteCard::addReminderStoreRow()
{
    using Store = AppSettings::ReminderStore;
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(new QLabel(SettingsTexts::reminderStoreLabel(), this));
    m_reminderStore = new QComboBox(this);
    m_reminderStore->setObjectName(QStringLiteral("reminderStorePicker"));
    m_reminderStore->setAccessibleName(SettingsTexts::reminderStoreLabel());
    row->addWidget(m_reminderStore);
    row->addStretch();
    content()->addLayout(row);
    addHint(SettingsTexts::reminderStoreHint());

    connect(m_reminderStore, &QComboBox::activated, this, [this](int index) {
        const auto kind = Store(m_reminderStore->itemData(index).toInt());
        if (kind == m_shared.settings.reminderStore())
            return;
        m_shared.settings.setReminderStore(kind);
        m_shared.service.useStore(ReminderStores::make(kind));
    });
    connect(&m_shared.settings, &AppSettings::reminderStoreChanged, this,
            &WriteCard::showReminderStore);
    ReminderStores::probeDesktopTasks(this, [this](bool offered) {
        m_desktopTasksOffered = offered;
        showReminderStore();
    });
    showReminderStore();
}

void WriteCard::showReminderStore()
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

void WriteCard::bindSettings()
{
    AppSettings &settings = m_shared.settings;
    // Settings to controls, now and whenever either screen (or anyone) changes them.
    const auto showTemplate = [this, &settings] {
        showText(m_template, settings.listNameTemplate());
    };
    const auto showDueOn = [this, &settings] { showChecked(m_dueOn, settings.dueEnabled()); };
    const auto showDedupe = [this, &settings] { showChecked(m_dedupe, settings.dedupe()); };
    const auto showOpenAfter = [this, &settings] {
        showChecked(m_openAfter, settings.openAfterWrite());
    };
    connect(&settings, &AppSettings::listNameTemplateChanged, this, showTemplate);
    connect(&settings, &AppSettings::dueEnabledChanged, this, showDueOn);
    connect(&settings, &AppSettings::dueHourChanged, this, &WriteCard::showDueTime);
    connect(&settings, &AppSettings::dueMinuteChanged, this, &WriteCard::showDueTime);
    connect(&settings, &AppSettings::dedupeChanged, this, showDedupe);
    connect(&settings, &AppSettings::openAfterWriteChanged, this, showOpenAfter);
    showTemplate();
    showDueOn();
    showDueTime();
    showDedupe();
    showOpenAfter();

    // Controls to settings, at once.
    connect(m_template, &QLineEdit::textEdited, &settings, &AppSettings::setListNameTemplate);
    connect(m_dueOn, &QCheckBox::toggled, &settings, &AppSettings::setDueEnabled);
    connect(m_dedupe, &QCheckBox::toggled, &settings, &AppSettings::setDedupe);
    connect(m_openAfter, &QCheckBox::toggled, &settings, &AppSettings::setOpenAfterWrite);
    connect(m_hour, &QComboBox::activated, this,
            [this](int index) { m_shared.settings.setDueHour(m_hour->itemData(index).toInt()); });
    connect(m_minute, &QComboBox::activated, this, [this](int index) {
        m_shared.settings.setDueMinute(m_minute->itemData(index).toInt());
    });
}

void WriteCard::showDueTime()
{
    fillPicker(m_hour, SettingsChoices::hours(m_shared.settings.dueHour()),
               m_shared.settings.dueHour());
    fillPicker(m_minute, SettingsChoices::minutes(m_shared.settings.dueMinute()),
               m_shared.settings.dueMinute());
}
