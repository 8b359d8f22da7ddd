#pragma once

#include "ui/SharedObjects.h"

#include <QScrollArea>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class ToneLabel;

// `SettingsView`: every user setting, on cards: the due notifications (switch, lead time,
// permission, test), writing (list-name template, default due time, dedupe, opening Reminders,
// where the 提醒事项 are kept),
// recognition (languages, subjects) and history. Each control writes its setting at once and
// follows it, so the "设置" section and the settings window stay in step. Changing the
// notification options rebuilds every pending due notification.
class SettingsView : public QScrollArea {
    Q_OBJECT

public:
    explicit SettingsView(SharedObjects shared, QWidget *parent = nullptr);

    // `pendingCount`, as the notification service last reported it.
    int pendingCount() const { return m_pendingCount; }

    // `refreshNotify`: reschedules every open, future entry, then counts again 0.6 s later.
    void refreshNotify();
    void restoreDefaults();

private:
    QWidget *makeHeader(QWidget *page);
    QWidget *makeNotifyCard(QWidget *page);
    QWidget *makeWriteCard(QWidget *page);
    QWidget *makeRecognitionCard(QWidget *page);
    QWidget *makeDataCard(QWidget *page);
    void addReminderStoreRow(QVBoxLayout *content, QWidget *panel);
    void showReminderStore();
    QWidget *makeFooter(QWidget *page);
    void bindSettings();
    void showNotifyOptions();
    void showDueTime();
    void askPendingCount();

    SharedObjects m_shared;
    int m_pendingCount = 0;

    QCheckBox *m_notifyOn = nullptr;
    QComboBox *m_lead = nullptr;
    ToneLabel *m_permission = nullptr;
    QPushButton *m_request = nullptr;
    QPushButton *m_test = nullptr;
    ToneLabel *m_pending = nullptr;
    QLineEdit *m_template = nullptr;
    QCheckBox *m_dueOn = nullptr;
    QComboBox *m_hour = nullptr;
    QComboBox *m_minute = nullptr;
    QCheckBox *m_dedupe = nullptr;
    QCheckBox *m_openAfter = nullptr;
    QComboBox *m_reminderStore = nullptr;
    bool m_desktopTasksOffered = false;
    QLineEdit *m_languages = nullptr;
    QLineEdit *m_subjects = nullptr;
    QCheckBox *m_history = nullptr;
    QPushButton *m_restore = nullptr;
};
