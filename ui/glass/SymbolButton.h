#pragma once

#include "ui/glass/GlassPalette.h"

#include <QPushButton>

// A push button whose label is a platform symbol in a palette tone, recoloured when the palette
// changes. Flat for the borderless row buttons (the trash can), bordered otherwise.
class SymbolButton : public QPushButton {
    Q_OBJECT

public:
    SymbolButton(const QString &symbol, GlassPalette::Tone tone, bool flat, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void refreshIcon();

    QString m_symbol;
    GlassPalette::Tone m_tone;
};
