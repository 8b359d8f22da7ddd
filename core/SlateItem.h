#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QUuid>

// One recognised homework task, from the parser through the editable import list to a write.
// Lives in memory only; what gets stored elsewhere is its entry title.
struct SlateItem {
    QUuid id = QUuid::createUuid();
    QString subject;
    QString text;
    bool enabled = true;
    // How sure recognition was of each UTF-16 unit of `text`, 0..1, so the import screen can mark
    // what to check. Empty when the text was not recognised (typed, pasted) or has been edited.
    QList<float> textConfidence;

    SlateItem(QString subject, QString text);
    SlateItem(QUuid id, QString subject, QString text, bool enabled = true);

    // The one line under which the item is saved, recorded and written to Reminders:
    // subject + "｜" + text, or the text alone when there is no subject.
    QString title() const;

    bool operator==(const SlateItem &other) const = default;
};

size_t qHash(const SlateItem &item, size_t seed = 0) noexcept;
