#include "ui/settings/NotifyCard.h"

#include "bridges/notifications/NotificationService.h"
#include "data/TaskStore.h"
#include "ui/glass/GlassFonts.h"
#include "ui/glass/ToneLabel.h"
#include "ui/settings/SettingsChoices.h"
#include "ui/settings/SettingsTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using GlassPalette::Tone;

NotifyCard::NotifyCard(SharedObjects shared, QWidget *parent)
    : SettingsCard(QStringLiteral("preferences-system-notifications-symbolic"),
                   SettingsTexts::notifyTitle(), parent),
      m_shared(shared), m_on(new QCheckBox(SettingsTexts::notifyOn(), this)),
      m_lead(new QComboBox(this)),
      m_permission(new ToneLabel(QString(), Tone::Secondary,
                                 GlassFonts::font(GlassFonts::Style::Callout), this)),
      m_request(new QPushButton(SettingsTexts::requestPermission(), this)),
      m_test(new QPushButton(SettingsTexts::sendTest(), this))
{
    m_on->setObjectName(QStringLiteral("notifyOnBox"));
    content()->addWidget(m_on, 0, Qt::AlignLeft);

    auto *leadRow = new QHBoxLayout;
    leadRow->setSpacing(8);
    leadRow->addWidget(new QLabel(SettingsTexts::leadLabel(), this));
    m_lead->setObjectName(QStringLiteral("leadPicker"));
    m_lead->setAccessibleName(SettingsTexts::leadLabel());
    m_lead->setMinimumWidth(140);
    leadRow->addWidget(m_lead);
    leadRow->addStretch();
    content()->addLayout(leadRow);

    auto *permissionRow = new QHBoxLayout;
    permissionRow->setSpacing(8);
    m_permission->setObjectName(QStringLiteral("permissionLabel"));
    m_permission->setWordWrap(true);
    permissionRow->addWidget(m_permission, 1);
    m_request->setObjectName(QStringLiteral("requestPermissionButton"));
    permissionRow->addWidget(m_request);
    m_test->setObjectName(QStringLiteral("testNotificationButton"));
    permissionRow->addWidget(m_test);
    content()->addLayout(permissionRow);

    m_pending = addHint(SettingsTexts::pendingCount(0));
    m_pending->setObjectName(QStringLiteral("pendingCountLabel"));
    addHint(SettingsTexts::leadHint());

    NotificationService &notify = m_shared.notify;
    connect(&notify, &NotificationService::enabledChanged, this, &NotifyCard::showOptions);
    connect(&notify, &NotificationService::leadSecondsChanged, this, &NotifyCard::showOptions);
    connect(&notify, &NotificationService::statusTextChanged, this, [this] {
        m_permission->setText(SettingsTexts::permission(m_shared.notify.statusText()));
    });
    showOptions();
    m_permission->setText(SettingsTexts::permission(notify.statusText()));

    connect(m_on, &QCheckBox::toggled, this, [this](bool on) {
        m_shared.notify.setEnabled(on);
        refreshNotify();
    });
    connect(m_lead, &QComboBox::activated, this, [this](int index) {
        m_shared.notify.setLeadSeconds(m_lead->itemData(index).toDouble());
        refreshNotify();
    });
    connect(m_request, &QPushButton::clicked, this, [this] {
        QPointer<NotifyCard> self(this);
        m_shared.notify.request([self](bool) {
            if (self)
                self->refreshNotify();
        });
    });
    connect(m_test, &QPushButton::clicked, this, [this] { m_shared.notify.sendTest(); });

    // Shown: the permission line and the count, as the service knows them now.
    notify.refreshStatus();
    askPendingCount();
}

void NotifyCard::showOptions()
{
    showChecked(m_on, m_shared.notify.enabled());
    const QSignalBlocker quiet(m_lead);
    const double stored = m_shared.notify.leadSeconds();
    m_lead->clear();
    for (const SettingsChoices::Lead &lead : SettingsChoices::leads(stored))
        m_lead->addItem(lead.label, lead.seconds);
    m_lead->setCurrentIndex(m_lead->findData(stored));
}

void NotifyCard::refreshNotify()
{
    m_shared.notify.reschedule(m_shared.store.allPending());
    QTimer::singleShot(600, this, &NotifyCard::askPendingCount);
}

void NotifyCard::askPendingCount()
{
    QPointer<NotifyCard> self(this);
    m_shared.notify.pendingCount([self](int count) {
        if (!self)
            return;
        self->m_pendingCount = count;
        self->m_pending->setText(SettingsTexts::pendingCount(count));
    });
}
