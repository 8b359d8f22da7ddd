#pragma once

#include "ui/glass/GlassPalette.h"

#include <QColor>
#include <QWidget>
#include <optional>

// A symbol (a freedesktop icon name, see SymbolIcon) drawn at a point size in a palette tone or a
// fixed colour, centred in a box of its own width (a sidebar symbol sits in a 20-pixel column
// whatever its shape).
class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(const QString &symbol, int size, GlassPalette::Tone tone, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    void setTone(GlassPalette::Tone tone);
    void setFixedColor(const QColor &color);
    // Widens the box without growing the symbol.
    void setBoxWidth(int width);

    QString symbol() const { return m_symbol; }
    QColor currentColor() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    int m_size;
    int m_boxWidth;
    GlassPalette::Tone m_tone;
    std::optional<QColor> m_fixedColor;
};
