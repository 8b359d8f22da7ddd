#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class ToneLabel;

// A screen's status line. Each new status replaces the last, except over a failure: a change that
// could not be saved stays on screen, in the primary colour with "知道了" beside it, until the
// user acts again on the screen (`acknowledge`) or dismisses it. A count that arrives after the
// failure, or the result of the very action that failed, must not hide it.
class StatusLine : public QWidget {
    Q_OBJECT

public:
    // `labelName` names the text label, as the screen's tests find it.
    StatusLine(const QString &labelName, const QFont &font, QWidget *parent = nullptr);

    ToneLabel *label() const { return m_label; }
    QString text() const;
    bool showsFailure() const { return m_failure; }
    // What Tab visits: "知道了" while a failure shows.
    QList<QWidget *> focusChain() const;

    // Shown unless a failure waits to be seen.
    void setStatus(const QString &status);
    // "❌ reason", shown until the user acknowledges or dismisses it; a newer failure replaces it.
    void setFailure(const QString &reason);
    // The user acts again: a failure shown gives way to an empty line, the action's own status
    // follows.
    void acknowledge();

signals:
    void textChanged(const QString &text);

private:
    void display(const QString &text, bool failure);

    ToneLabel *m_label;
    QPushButton *m_dismiss;
    bool m_failure = false;
};
