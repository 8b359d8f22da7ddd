#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The "新建清单" prompt: one name field and "创建" / "取消".
class NewListPrompt : public QDialog {
    Q_OBJECT

public:
    NewListPrompt(const QString &name, QWidget *parent = nullptr);

    QString name() const;

private:
    QLineEdit *m_name;
    QPushButton *m_create;
    QPushButton *m_cancel;
};
