#pragma once

#include "ui/glass/GlassPanel.h"

class QCheckBox;
class QLineEdit;
class QVBoxLayout;
class ToneLabel;

// One card of the settings screen: a symbol and a title over the card's controls, one below the
// other, with the faded hints and labelled fields every card uses.
class SettingsCard : public GlassPanel {
    Q_OBJECT

public:
    SettingsCard(const QString &symbol, const QString &title, QWidget *parent = nullptr);

protected:
    QVBoxLayout *content() const { return m_content; }
    // A faded, wrapping line of explanation; empty when its text comes later.
    ToneLabel *addHint(const QString &text = QString());
    // A field under its label, named after it for a screen reader.
    QLineEdit *addField(const QString &label);

    // A setting shown in its control without the control reporting it back as the user's change.
    static void showChecked(QCheckBox *box, bool checked);
    // Leaves the text alone when it already reads so: the field being typed in keeps its cursor.
    static void showText(QLineEdit *field, const QString &text);

private:
    QVBoxLayout *m_content;
};
