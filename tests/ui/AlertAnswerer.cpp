#include "AlertAnswerer.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

std::shared_ptr<AlertSeen> answerNextAlert(const QString &button,
                                           const std::optional<QString> &typed)
{
    auto seen = std::make_shared<AlertSeen>();
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, seen, button, typed] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        seen->shown = true;
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                seen->texts.append(label->text());
        }
        QPushButton *chosen = nullptr;
        QList<QPushButton *> buttons = dialog->findChildren<QPushButton *>();
        std::sort(buttons.begin(), buttons.end(),
                  [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        for (QPushButton *each : buttons) {
            seen->buttons.append(each->text());
            if (each->text() == button)
                chosen = each;
        }
        if (auto *field = dialog->findChild<QLineEdit *>()) {
            seen->fieldText = field->text();
            if (typed)
                field->setText(*typed);
        }
        if (chosen)
            chosen->click();
        else
            dialog->reject();
    });
    poll->start();
    return seen;
}
