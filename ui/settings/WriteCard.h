#pragma once

#include "ui/SharedObjects.h"
#include "ui/settings/SettingsCard.h"

class QCheckBox;
class QComboBox;

// "写入": the default list name, the default due time, skipping entries already there, opening
// Reminders after a write, and where the 提醒事项 are kept. The desktop's task lists are offered
// only where D-Bus runs or can start their service.
class WriteCard : public SettingsCard {
    Q_OBJECT

public:
    WriteCard(SharedObjects shared, QWidget *parent = nullptr);

private:
    void addDueRow();
    void addReminderStoreRow();
    void bindSettings();
    void showDueTime();
    void showReminderStore();

    SharedObjects m_shared;
    QLineEdit *m_template = nullptr;
    QCheckBox *m_dueOn = nullptr;
    QComboBox *m_hour = nullptr;
    QComboBox *m_minute = nullptr;
    QCheckBox *m_dedupe = nullptr;
    QCheckBox *m_openAfter = nullptr;
    QComboBox *m_reminderStore = nullptr;
    bool m_desktopTasksOffered = false;
};
