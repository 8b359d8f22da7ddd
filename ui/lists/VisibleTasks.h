#pragma once

#include "data/TaskItem.h"

#include <QList>
#include <QString>
#include <QStringList>

// Which entries of a list the lists screen shows: the filter, then the search, then display
// order. Kept apart from the widgets so a list of thousands can be measured and checked alone.
namespace VisibleTasks {

// `Filter`: its text (`ListsTexts::filterText`) is both its label and its identity.
enum class Filter { Todo, Done, All };

QList<Filter> filters();

bool passes(const TaskItem &task, Filter filter);
// Locale-aware, case-insensitive containment of `search` in the title; an empty search matches.
bool matches(const TaskItem &task, const QString &search);

// Open before done; then dated before undated; then the earlier due; then the smaller title
// (plain UTF-16 order). That is a lexicographic key, so a stable sort applies cleanly.
bool before(const TaskItem &a, const TaskItem &b);

// `visibleTasks`: the entries of `list` that pass `filter` and `search`, in display order.
QList<TaskItem> of(const QList<TaskItem> &tasks, Filter filter, const QString &search);

} // namespace VisibleTasks
