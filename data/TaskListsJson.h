#pragma once

#include "data/TaskItem.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The "tasks.json" format: a pretty-printed array of list objects, keys in a fixed order,
// upper-case UUIDs, UTC date-times with whole seconds and "Z", optional keys left out.
namespace TaskListsJson {

QByteArray encode(const QList<TaskList> &lists);

struct Decoded {
    QList<TaskList> lists;
    // Lists, entries and other parts left out because they do not read (no JSON, nested too
    // deep) or deviate from the format (a missing required key, a value of the wrong JSON type,
    // an unreadable UUID or a date-time in another form).
    qsizetype skipped = 0;
};

// Nothing when the top level is not an array, or not one list of it reads. A list or entry that
// does not read or deviates is left out alone; a list keeps the entries that read even when
// another of its entries is no JSON. Keys may come in any order, unknown keys are ignored and a
// null optional counts as absent.
std::optional<Decoded> decode(const QByteArray &bytes);

} // namespace TaskListsJson
