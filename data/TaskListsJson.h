#pragma once

#include "data/TaskItem.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The "tasks.json" format: a pretty-printed array of list objects, keys in a fixed order,
// upper-case UUIDs, UTC date-times with whole seconds and "Z", optional keys left out.
namespace TaskListsJson {

QByteArray encode(const QList<TaskList> &lists);

// Nothing when the text deviates from the format anywhere: a missing required key, a value of
// the wrong JSON type, an unreadable UUID or a date-time in another form. Keys may come in any
// order, unknown keys are ignored and a null optional counts as absent.
std::optional<QList<TaskList>> decode(const QByteArray &bytes);

} // namespace TaskListsJson
