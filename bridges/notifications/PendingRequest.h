#pragma once

#include "bridges/notifications/NotificationRequest.h"

#include <QDateTime>

// A request as the desktop center keeps it, with the moment the center accepted it: an
// interval trigger counts from there.
struct PendingRequest {
    NotificationRequest request;
    QDateTime addedAt;

    // When the request is due. A calendar trigger: the start of its minute on the local clock as
    // it is now (the first minute after a daylight-saving gap, for a minute that does not exist).
    // An interval trigger: addedAt plus the interval.
    QDateTime fireTime() const;

    bool operator==(const PendingRequest &) const = default;
};
