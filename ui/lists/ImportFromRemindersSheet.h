#pragma once

#include "bridges/reminders/ReminderRow.h"
#include "ui/SharedObjects.h"

#include <QDialog>
#include <QList>
#include <QSet>
#include <optional>

class BusySpinner;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class ToneLabel;

// `ImportFromRemindersSheet`: takes reminders of one Reminders list over into an app list. It
// opens on the first list whose name holds "作业" with every reminder ticked, completed ones
// too; "导入" adds the ticked titles as open entries and closes. Its state lives for one
// opening.
class ImportFromRemindersSheet : public QDialog {
    Q_OBJECT

public:
    explicit ImportFromRemindersSheet(SharedObjects shared, QWidget *parent = nullptr);

    // Asks for access and loads the preferred list; called once, when the sheet opens.
    void start();
    // Loads a Reminders list, as picking it does.
    void load(const QString &listName);
    // `import`: the ticked rows into the target list, then closes.
    void importTicked();

    const QStringList &sourceLists() const { return m_sourceLists; }
    const std::optional<QString> &source() const { return m_source; }
    const QList<ReminderRow> &rows() const { return m_rows; }
    const QSet<QString> &selectedIds() const { return m_selectedIds; }
    QString info() const { return m_info; }
    bool isLoading() const { return m_loading; }

private:
    void setInfo(const QString &info);
    void setLoading(bool loading);
    void showRows();
    void setTicked(const QString &id, bool ticked);
    void refreshControls();

    SharedObjects m_shared;
    QStringList m_sourceLists;
    std::optional<QString> m_source;
    QList<ReminderRow> m_rows;
    QSet<QString> m_selectedIds;
    QString m_info;
    bool m_loading = false;
    // Counts loads: only the answer to the latest one is shown.
    int m_loadGeneration = 0;

    BusySpinner *m_spinner;
    ToneLabel *m_infoLabel;
    QComboBox *m_picker;
    QCheckBox *m_all;
    QWidget *m_rowsContent;
    QVBoxLayout *m_rowsLayout;
    ToneLabel *m_emptyInfo;
    QLineEdit *m_target;
    ToneLabel *m_selectedCount;
    QPushButton *m_cancel;
    QPushButton *m_import;
    QList<QCheckBox *> m_rowBoxes;
};
