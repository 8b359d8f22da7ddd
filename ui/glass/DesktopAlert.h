#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// A question put to the user in a modal alert.
struct AlertRequest {
    enum class Style { Normal, Warning };

    struct TextField {
        QString initialText;
        QSize size;
    };

    QString message;
    std::optional<QString> informativeText;
    Style style = Style::Normal;
    QStringList buttons; // in order; the first one confirms and answers the Return key, except
                         // in a warning, where the last one (backing out) does
    std::optional<TextField> textField;
};

struct AlertAnswer {
    int button = 0; // position in AlertRequest::buttons
    QString text;   // the text field's text at the moment of the answer, when there is one
};

// Blocks the window until the user answers. Closing the alert without choosing a button (Escape,
// the window's close button) answers with the last button, the one that backs out.
AlertAnswer askInAlert(const AlertRequest &request, QWidget *parent = nullptr);
