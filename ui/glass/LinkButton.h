#pragma once

#include <QPushButton>

// A borderless button that reads like a link, in the accent colour for text (readable on the
// glass in light and dark, kept in step when the palette changes); the focus ring takes the place
// of the border.
class LinkButton : public QPushButton {
    Q_OBJECT

public:
    LinkButton(const QString &text, QWidget *parent);

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyColours();
};
