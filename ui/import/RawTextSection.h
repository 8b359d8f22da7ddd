#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QToolButton;

// The collapsible "识别原文（N 行）" section: the recognised lines, one per line, in a small
// scrolling, selectable, fixed-width text area. Collapsed until the user opens it. Its parts are
// found by their object names: "rawTextToggle" (the title) and "rawText".
class RawTextSection : public QWidget {
    Q_OBJECT

public:
    explicit RawTextSection(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    // Shows the recognised lines, or folds them away.
    void setExpanded(bool expanded);
    // The controls in the order Tab visits them.
    QList<QWidget *> focusChain() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void refreshChevron();

    QToolButton *m_header;
    QPlainTextEdit *m_text;
    bool m_expanded = false;
};
