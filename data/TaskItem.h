#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>
#include <optional>

// One entry of the app's own lists. `id` is also the key of the entry's due notification.
struct TaskItem {
    QUuid id = QUuid::createUuid();
    QString title; // trimmed; for imported entries, the entry title (subject｜text)
    bool done = false;
    std::optional<QDateTime> due;
    QDateTime createdAt = QDateTime::currentDateTimeUtc();
    std::optional<QDateTime> completedAt; // last ticked off; nothing while not done
    std::optional<QString> note;          // set only through TaskStore::update
    std::optional<QString>
        source; // image file name, "历史重写", "提醒事项", "命令导入", or nothing

    bool operator==(const TaskItem &) const = default;
};

// A named list of entries in display order. Lists are looked up by name.
struct TaskList {
    QUuid id = QUuid::createUuid();
    QString name;
    QDateTime createdAt = QDateTime::currentDateTimeUtc();
    QList<TaskItem> tasks;

    // Entries not done yet.
    int remaining() const;
    // Share of entries done, 0 for an empty list.
    double progress() const;

    bool operator==(const TaskList &) const = default;
};
