#pragma once

#include "ui/glass/GlassPanel.h"

#include <QDateTime>

class QCheckBox;
class QDateTimeEdit;
class QLineEdit;
class SegmentedControl;

// The import screen's header panel: its title, the write target switch ("存到本 App" or
// "写到提醒事项"), the target list name, and the due checkbox with its date and time.
class ImportHeader : public GlassPanel {
    Q_OBJECT

public:
    explicit ImportHeader(QWidget *parent = nullptr);

    // `saveToApp`
    bool savesToApp() const;
    QString listName() const;
    void setListName(const QString &name);
    // `dueOn`
    bool dueOn() const;
    void setDueOn(bool on);
    // `due`
    QDateTime due() const;
    void setDue(const QDateTime &due);

    SegmentedControl *targetSwitch() const { return m_target; }
    // The controls in the order Tab visits them.
    QList<QWidget *> focusChain() const;

signals:
    void targetChanged(bool saveToApp);

private:
    SegmentedControl *m_target;
    QLineEdit *m_listName;
    QCheckBox *m_dueOn;
    QDateTimeEdit *m_due;
};
