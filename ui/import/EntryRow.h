#pragma once

#include "core/ScoredText.h"
#include "core/SlateItem.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class SymbolButton;

// One editable entry of the import result: tick, subject, text and a trash button, on a faint
// rounded plate that is lighter when the entry is not ticked. Every edit is reported with the
// entry's id so the screen changes that entry in place. Its controls are found by their object
// names: "tickBox", "subjectField", "textField", "trashButton".
//
// Characters that recognition was unsure of are tinted and underlined in the text field, with
// the tooltip "识别把握不大，请核对"; the first edit of the text removes every mark, since the user
// has then looked at it.
class EntryRow : public QWidget {
    Q_OBJECT

public:
    explicit EntryRow(const SlateItem &item, QWidget *parent = nullptr);

    QUuid id() const { return m_id; }
    void setTicked(bool ticked);
    // The row's controls in the order Tab visits them.
    void focusText();
    QList<QWidget *> focusChain() const;
    // The marked runs of the text field, by UTF-16 position.
    const QList<TextSpan> &doubtfulSpans() const { return m_doubtful; }

signals:
    void tickedChanged(const QUuid &id, bool ticked);
    void subjectEdited(const QUuid &id, const QString &subject);
    void textEdited(const QUuid &id, const QString &text);
    void removeRequested(const QUuid &id);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showDoubtfulSpans();
    void showAccessibleName();
    bool isDoubtful(qsizetype position) const;

    QUuid m_id;
    QCheckBox *m_tick;
    QLineEdit *m_subject;
    QLineEdit *m_text;
    SymbolButton *m_trash;
    QList<TextSpan> m_doubtful;
};
