#include "AlertAnswerer.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

void onNextModal(const std::function<void(QWidget *)> &answer)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

std::shared_ptr<AlertSeen> answerNextAlert(const QString &button,
                                           const std::optional<QString> &typed)
{
    auto seen = std::make_shared<AlertSeen>();
    onNextModal([seen, button, typed](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
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
    return seen;
}
