#pragma once

#include "ui/glass/GlassPalette.h"

#include <QPushButton>

// A push button whose label is a symbol (see SymbolIcon) in a palette tone, recoloured when the
// palette changes. Flat for the borderless row buttons (the trash can), bordered otherwise; with
// the keyboard focus it wears an accent ring, which a flat button's style would not draw.
class SymbolButton : public QPushButton {
    Q_OBJECT

public:
    SymbolButton(const QString &symbol, GlassPalette::Tone tone, bool flat,
                 QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void refreshIcon();

    QString m_symbol;
    GlassPalette::Tone m_tone;
    // The ring shows for focus the keyboard brought, not for the window's first focus or a click.
    bool m_keyboardFocus = false;
};
