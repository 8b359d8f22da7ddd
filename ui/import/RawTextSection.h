#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QToolButton;

// The collapsible "识别原文（N 行）" section: the recognised lines, one per line, in a small
// scrolling, selectable, fixed-width text area. Collapsed until the user opens it.
class RawTextSection : public QWidget {
    Q_OBJECT

public:
    explicit RawTextSection(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    // `showRaw`
    bool isExpanded() const;
    void setExpanded(bool expanded);
    QString title() const;
    QString text() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void refreshChevron();

    QToolButton *m_header;
    QPlainTextEdit *m_text;
    bool m_expanded = false;
};
