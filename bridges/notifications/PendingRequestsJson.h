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

struct Decoded {
    QList<PendingRequest> requests;
    // Requests and other parts left out because they do not read (no JSON, nested too deep) or
    // deviate from the format.
    qsizetype skipped = 0;
};

// Nothing when the top level is not an array, or not one request of it reads; a request that
// does not read or deviates is left out alone.
std::optional<Decoded> decode(const QByteArray &bytes);

} // namespace PendingRequestsJson
