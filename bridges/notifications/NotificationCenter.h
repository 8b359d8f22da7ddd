#pragma once

#include "bridges/notifications/NotificationRequest.h"

#include <QList>
#include <QStringList>
#include <functional>

// Whether notifications handed to the center will be shown.
enum class AuthorizationStatus {
    NotDetermined, // the user was never asked
    Denied,
    Authorized,
    Unavailable, // nothing on the desktop shows notifications right now
};

// How a notification that arrives while the application is in front is shown.
struct Presentation {
    bool banner = true;
    bool sound = true;
};

class NotificationCenterDelegate {
public:
    virtual ~NotificationCenterDelegate() = default;
    // Called on the main thread when a notification arrives while the application is in front.
    virtual Presentation willPresent(const NotificationRequest &request) = 0;
};

// The scheduled local notifications of the application: the operations `NotificationService`
// relies on. Queries answer once, on a background thread; the other operations may be called
// from any thread.
class NotificationCenter {
public:
    virtual ~NotificationCenter() = default;

    // The center keeps the pointer until it is replaced; nullptr unregisters.
    virtual void setDelegate(NotificationCenterDelegate *delegate) = 0;

    virtual void getAuthorizationStatus(std::function<void(AuthorizationStatus)> answer) = 0;
    // Asks for permission to show notifications with banners and sound; the answer is whether
    // it was granted.
    virtual void requestAuthorization(std::function<void(bool granted)> answer) = 0;

    // Adds the request, replacing a pending one with the same identifier. Failures are not
    // reported.
    virtual void add(const NotificationRequest &request) = 0;
    // Removes the pending requests with these identifiers; unknown ones are ignored.
    virtual void removePending(const QStringList &identifiers) = 0;
    virtual void removeAllPending() = 0;
    virtual void getPending(std::function<void(QList<NotificationRequest>)> answer) = 0;
};
