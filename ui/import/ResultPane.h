#pragma once

#include "core/SlateItem.h"
#include "ui/glass/GlassPanel.h"

#include <QHash>
#include <QList>

class EntryRow;
class QLabel;
class QVBoxLayout;
class SymbolButton;

// The right pane of the import screen: "解析结果（可编辑）" with the count to write, the buttons
// that add a row and parse the recognised text again, and the scrolling rows (or, with no rows,
// the empty state).
class ResultPane : public GlassPanel {
    Q_OBJECT

public:
    explicit ResultPane(QWidget *parent = nullptr);

    // Replaces every row.
    void setItems(const QList<SlateItem> &items);
    void appendRow(const SlateItem &item);
    void removeRow(const QUuid &id);
    void setAllTicked(bool ticked);
    void setCounts(qsizetype ticked, qsizetype total);
    void setReparseEnabled(bool enabled);
    // Puts the keyboard in the last row's text field.
    void focusLastRow();

    // The buttons and the rows' controls in the order Tab visits them.
    QList<QWidget *> focusChain() const;

signals:
    void addRequested();
    void reparseRequested();
    void tickedChanged(const QUuid &id, bool ticked);
    void subjectEdited(const QUuid &id, const QString &subject);
    void textEdited(const QUuid &id, const QString &text);
    void removeRequested(const QUuid &id);

private:
    QWidget *makeHeading();
    QWidget *makeEmptyState();
    void clearRows();
    void refreshEmptyState();

    QWidget *m_add = nullptr;
    QLabel *m_count = nullptr;
    SymbolButton *m_reparse = nullptr;
    QVBoxLayout *m_rowsLayout = nullptr;
    QWidget *m_emptyState = nullptr;
    QList<EntryRow *> m_rows;
};
