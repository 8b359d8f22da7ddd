#include "ui/glass/LinkButton.h"

#include "ui/glass/GlassFonts.h"
#include "ui/glass/GlassPalette.h"

#include <QEvent>

LinkButton::LinkButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
    setFont(GlassFonts::font(GlassFonts::Style::Callout));
    applyColours();
}

void LinkButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyColours();
    QPushButton::changeEvent(event);
}

void LinkButton::applyColours()
{
    // The parent's palette: our own carries the colour the style sheet set last time.
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : palette();
    const QString sheet =
        QStringLiteral(
            "QPushButton { border: 2px solid transparent; border-radius: 4px; padding: 0 2px;"
            " text-align: left; color: %1; }"
            "QPushButton:hover { text-decoration: underline; }"
            "QPushButton:focus { border-color: %2; }")
            .arg(GlassPalette::accentText(inherited).name(),
                 GlassPalette::accentSymbol(inherited).name());
    // Setting the same sheet again would only bring another palette change.
    if (sheet != styleSheet())
        setStyleSheet(sheet);
}
