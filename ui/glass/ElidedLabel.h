#pragma once

#include <QLabel>

// A one-line label that ends a text too long for its width with "…" instead of cutting it
// mid-character, and then shows the whole text as its tooltip. `text()` stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    // What is painted at the present width.
    QString shownText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateToolTip();
};
