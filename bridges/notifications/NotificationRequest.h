#pragma once

#include <QMap>
#include <QString>
#include <variant>

// Fires once at the start of a local minute (second 0) of the user's calendar.
struct CalendarTrigger {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    bool operator==(const CalendarTrigger &) const = default;
};

// Fires once, this many seconds after the center accepted the request.
struct IntervalTrigger {
    double seconds = 0;

    bool operator==(const IntervalTrigger &) const = default;
};

using NotificationTrigger = std::variant<CalendarTrigger, IntervalTrigger>;

// One local notification handed to a NotificationCenter. A pending request with the same
// identifier is replaced by a newer one.
struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    bool defaultSound = false; // plays the desktop's default notification sound
    QMap<QString, QString> userInfo;
    NotificationTrigger trigger;

    bool operator==(const NotificationRequest &) const = default;
};
