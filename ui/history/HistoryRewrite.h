#pragma once

#include "data/HistoryRecord.h"
#include "ui/SharedObjects.h"

#include <QString>

// "再写入一次": a record's items go again into the app list of its name (created when it is
// gone), never to Reminders and without a new history record. Returns the status line.
namespace HistoryRewrite {

// Adds the items without a due time, then schedules every open, dated entry of that list whose
// title is one of the items: the dated entries that already held those titles.
QString rewrite(const SharedObjects &shared, const HistoryRecord &record);

} // namespace HistoryRewrite
