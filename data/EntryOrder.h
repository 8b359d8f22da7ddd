#pragma once

#include "data/TaskItem.h"

#include <QList>

// Puts a list's entries in display order. Entry a comes before entry b by the first rule that
// applies:
// 1. exactly one of them is done: the open one first;
// 2. both have due times that differ: the earlier one first;
// 3. otherwise the title that is smaller in code-point order of its NFC form first.
// Equal titles keep their previous relative order. These rules are not a strict weak ordering
// when dated and undated entries are mixed, so std::sort and std::stable_sort must not apply
// them (undefined behaviour); our own merge sort (core/StableSort.h) gives a well-defined,
// stable result for any mix in O(n log n).
void sortEntries(QList<TaskItem> &entries);
