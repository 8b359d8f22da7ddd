#pragma once

// GLib's headers before Qt's: gio names a struct member `signals`, which Qt defines as a macro.
#include <libecal/libecal.h>

#include "bridges/reminders/ReminderStore.h"
#include "bridges/reminders/eds/EdsSession.h"
#include "bridges/reminders/eds/GLibPointers.h"

#include <functional>
#include <map>
#include <vector>

// Changes to the desktop's task lists, staged in memory. A commit sends each list's new
// reminders in one create call, its changed ones in one modify call and its removed ones in one
// remove call; EDS checks a whole call before it applies any of it. When a later call fails,
// the calls that went through are undone (created reminders removed, changed ones put back,
// removed ones created again), so a batch lands whole or not at all.
class EdsBatch : public ReminderBatch {
public:
    explicit EdsBatch(EdsSession &session);

    std::optional<ReminderError> save(const ReminderItem &item) override;
    std::optional<ReminderError> remove(const ReminderItem &item) override;
    std::optional<ReminderError> commit() override;

    struct Change {
        GObjectPtr<ICalComponent> wanted; // absent for a removal
        GObjectPtr<ICalComponent> before; // absent for a new reminder
    };

private:
    // Per list (source UID), in the order they were staged.
    struct ListChanges {
        std::vector<Change> created, modified, removed;
    };

    using Undo = std::function<void()>;
    std::optional<ReminderError> commitList(const QString &listId, ECalClient *client,
                                            ListChanges &changes, std::vector<Undo> &undo);

    EdsSession &m_session;
    std::map<QString, ListChanges> m_lists;
};
