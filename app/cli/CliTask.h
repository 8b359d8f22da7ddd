#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// One command-line task: an action and its arguments, from the drop file, a "--write" file or
// the flags. Decoding is strict: a present field of the wrong JSON type fails the whole task,
// and a JSON null in an optional field counts as absent. Keys not listed here are ignored
// whatever they hold (a number beyond the range of a double included).
struct CliTask {
    QString action;
    std::optional<QString> path;
    std::optional<QString> list;
    std::optional<QString> due;
    std::optional<QStringList> items;
    std::optional<QString> target;

    static std::optional<CliTask> decode(const QByteArray &json);

    // "reminders" selects the Reminders store; anything else, or nothing, the app's own lists.
    // `due` read as "yyyy-MM-dd'T'HH:mm" on the local clock, ASCII digits only; a text that does
    // not fit, or names no real date, gives no due time rather than an error.
    std::optional<QDateTime> dueTime() const;
    // A due time that fits and names a real date, but that not every store of the system can
    // keep (outside the years 1 to 9999 on the local clock or in UTC): the task is refused.
    bool dueOutOfRange() const;

    bool targetsReminders() const
    {
        return target.value_or(QStringLiteral("app")) == QLatin1String("reminders");
    }
};
