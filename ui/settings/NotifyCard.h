#pragma once

#include "ui/SharedObjects.h"
#include "ui/settings/SettingsCard.h"

class QCheckBox;
class QComboBox;
class QPushButton;

// "到期提醒": the due notifications' switch and lead time, the permission and a test
// notification, and how many notifications are scheduled. Changing an option reschedules every
// pending entry.
class NotifyCard : public SettingsCard {
    Q_OBJECT

public:
    NotifyCard(SharedObjects shared, QWidget *parent = nullptr);

    // As the notification service last reported it.
    int pendingCount() const { return m_pendingCount; }
    // Reschedules every open, future entry, then counts again 0.6 s later.
    void refreshNotify();

private:
    void showOptions();
    void askPendingCount();

    SharedObjects m_shared;
    int m_pendingCount = 0;
    QCheckBox *m_on;
    QComboBox *m_lead;
    ToneLabel *m_permission;
    QPushButton *m_request;
    QPushButton *m_test;
    ToneLabel *m_pending;
};
