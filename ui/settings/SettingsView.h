#pragma once

#include "ui/SharedObjects.h"

#include <QScrollArea>

class NotifyCard;

// `SettingsView`: every user setting, on cards (`NotifyCard`, `WriteCard`, `RecognitionCard`,
// `DataCard`) under a header, with "恢复默认设置" at the foot. Each control writes its setting at
// once and follows it, so the "设置" section and the settings window stay in step.
class SettingsView : public QScrollArea {
    Q_OBJECT

public:
    explicit SettingsView(SharedObjects shared, QWidget *parent = nullptr);

    // As the notification service last reported it.
    int pendingCount() const;
    void restoreDefaults();

private:
    QWidget *makeHeader(QWidget *page);
    QWidget *makeFooter(QWidget *page);

    SharedObjects m_shared;
    NotifyCard *m_notify = nullptr;
};
