#include "ui/glass/DesktopAlert.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace {

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AlertAnswer askInAlert(const AlertRequest &request, QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setModal(true);
    auto *text = new QVBoxLayout;

    QLabel *message = wrappedLabel(request.message, &dialog);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    text->addWidget(message);
    if (request.informativeText)
        text->addWidget(wrappedLabel(*request.informativeText, &dialog));
    QLineEdit *field = nullptr;
    if (request.textField) {
        field = new QLineEdit(request.textField->initialText, &dialog);
        field->setFixedSize(request.textField->size);
        text->addWidget(field);
    }

    auto *body = new QHBoxLayout;
    if (request.style == AlertRequest::Style::Warning) {
        auto *icon = new QLabel(&dialog);
        const int side = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
        icon->setPixmap(
            dialog.style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
        icon->setAlignment(Qt::AlignTop);
        body->addWidget(icon);
    }
    body->addLayout(text, 1);

    // The confirming button sits at the right end, the others to its left in order. Return
    // answers the confirming button, except in a warning: there it backs out, so a reflexive
    // Return never destroys anything.
    const int lastButton = int(request.buttons.size()) - 1;
    const int returnButton = request.style == AlertRequest::Style::Warning ? lastButton : 0;
    int chosen = std::max(lastButton, 0);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int index = lastButton; index >= 0; --index) {
        auto *button = new QPushButton(request.buttons.at(index), &dialog);
        button->setAutoDefault(false);
        button->setDefault(index == returnButton);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &chosen, index] {
            chosen = index;
            dialog.accept();
        });
        buttons->addWidget(button);
    }

    auto *layout = new QVBoxLayout(&dialog);
    // Wide enough for a short sentence on one line: word wrapping would otherwise shrink the
    // alert to its buttons' width.
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(QString(26, QChar(0x5B57))));
    layout->addLayout(body);
    layout->addLayout(buttons);
    if (field)
        field->setFocus();

    dialog.exec();
    return {chosen, field ? field->text() : QString()};
}
