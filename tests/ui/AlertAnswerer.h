#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// Runs `answer` on the next modal widget once it is up.
void onNextModal(const std::function<void(QWidget *)> &answer);

// Answers the next modal alert the way a user does: waits for it to come up, reads what it
// says, optionally types into its text field, and clicks one of its buttons.
struct AlertSeen {
    bool shown = false;
    QStringList texts;   // the alert's labels, message first
    QStringList buttons; // the buttons' titles as laid out, left to right
    QString fieldText;   // the text field's text as the alert came up
};

std::shared_ptr<AlertSeen> answerNextAlert(const QString &button,
                                           const std::optional<QString> &typed = std::nullopt);
