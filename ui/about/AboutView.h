#pragma once

#include "ui/SharedObjects.h"

#include <QScrollArea>

class QLabel;
class QPushButton;

// `AboutView`: the application's icon, name and version, which Reminders store is in use, what
// it does in six lines, and buttons to the data folder and to where the reminders are kept.
class AboutView : public QScrollArea {
    Q_OBJECT

public:
    explicit AboutView(SharedObjects shared, QWidget *parent = nullptr);

private:
    QWidget *makeFeatureList(QWidget *page);
    QWidget *makeButtons(QWidget *page);

    SharedObjects m_shared;
    QLabel *m_version = nullptr;
    QLabel *m_reminderStore = nullptr; // "提醒事项存储：本机文件夹"
    QPushButton *m_dataFolder = nullptr;
    QPushButton *m_remindersFolder = nullptr;
};
