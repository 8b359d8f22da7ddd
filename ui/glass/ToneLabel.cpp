#include "ui/glass/ToneLabel.h"

#include <QEvent>

ToneLabel::ToneLabel(const QString &text, GlassPalette::Tone tone, const QFont &font,
                     QWidget *parent)
    : QLabel(text, parent), m_tone(tone)
{
    setFont(font);
    applyTone();
}

void ToneLabel::setTone(GlassPalette::Tone tone)
{
    m_tone = tone;
    applyTone();
}

void ToneLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && !m_applying)
        applyTone();
    QLabel::changeEvent(event);
}

void ToneLabel::applyTone()
{
    // The inherited palette, not our own, whose text colour is the tone we set last time.
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QPalette();
    QPalette own = palette();
    own.setColor(QPalette::WindowText, GlassPalette::color(inherited, m_tone));
    m_applying = true;
    setPalette(own);
    m_applying = false;
}
