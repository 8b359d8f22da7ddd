#pragma once

#include "ui/glass/GlassPalette.h"

#include <QLabel>

// A label whose text colour is a palette role (secondary, tertiary, accent), kept in step when
// the desktop switches between light and dark.
class ToneLabel : public QLabel {
    Q_OBJECT

public:
    ToneLabel(const QString &text, GlassPalette::Tone tone, const QFont &font,
              QWidget *parent = nullptr);

    void setTone(GlassPalette::Tone tone);

protected:
    void changeEvent(QEvent *event) override;

private:
    void applyTone();

    GlassPalette::Tone m_tone;
    bool m_applying = false;
};
