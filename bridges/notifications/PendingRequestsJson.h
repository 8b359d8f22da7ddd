#pragma once

#include "bridges/notifications/PendingRequest.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The pending set as the state file holds it: a JSON array, one object per request.
//
//   {"identifier": "slate-task-…", "title": "…", "body": "…", "defaultSound": true,
//    "userInfo": {"taskID": "…", "list": "…"},
//    "trigger": {"calendar": {"year": 2026, "month": 3, "day": 15, "hour": 20, "minute": 30}}
//               or {"interval": 3},
//    "addedAt": 1773571200000}                      (milliseconds since 1970-01-01 UTC)
namespace PendingRequestsJson {

QByteArray encode(const QList<PendingRequest> &requests);
// Nothing when the text is not JSON or any request deviates from the format.
std::optional<QList<PendingRequest>> decode(const QByteArray &bytes);

} // namespace PendingRequestsJson
