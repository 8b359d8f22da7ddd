#pragma once

#include "ui/glass/GlassPanel.h"

#include <QDateTime>
#include <optional>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;
class QPushButton;

// The lists screen's bar for a new entry: its text (Return adds it), an optional due time, and
// "添加", enabled while the text holds more than white space.
class ListsAddBar : public GlassPanel {
    Q_OBJECT

public:
    explicit ListsAddBar(QWidget *parent = nullptr);

    QString text() const;
    // The due time when "截止" is ticked.
    std::optional<QDateTime> due() const;
    // After an entry was added: the field empties and keeps the focus.
    void clearText();
    void focusField();

signals:
    void addRequested();

private:
    QLineEdit *m_field;
    QCheckBox *m_dueCheck;
    QDateTimeEdit *m_dueEdit;
    QPushButton *m_addButton;
};
