#pragma once

#include "ui/shell/SharedObjects.h"

#include <QList>
#include <QScrollArea>

class QLabel;
class QPushButton;

// `AboutView`: the application's icon, name and version, which Reminders store is in use, what
// it does in six lines, and buttons
// to the data folder and to where the reminders are kept.
class AboutView : public QScrollArea {
    Q_OBJECT

public:
    struct Feature {
        QString symbol;
        QString title;
        QString text;
    };

    explicit AboutView(SharedObjects shared, QWidget *parent = nullptr);

    static QList<Feature> features();
    // "版本 1.0", or "版本 —" for an application that states no version.
    static QString versionLine(const QString &version);

    QLabel *versionLabel() const { return m_version; }
    QPushButton *dataFolderButton() const { return m_dataFolder; }
    // "打开提醒事项目录": only where the reminders are kept in a folder.
    QPushButton *remindersFolderButton() const { return m_remindersFolder; }

private:
    QWidget *makeFeatureList(QWidget *page);
    QWidget *makeButtons(QWidget *page);

    SharedObjects m_shared;
    QLabel *m_version = nullptr;
    QLabel *m_reminderStore = nullptr; // "提醒事项存储：本机文件夹"
    QPushButton *m_dataFolder = nullptr;
    QPushButton *m_remindersFolder = nullptr;
};
