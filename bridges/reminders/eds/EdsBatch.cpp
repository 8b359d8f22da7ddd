#include "bridges/reminders/eds/EdsBatch.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsErrors.h"
#include "bridges/reminders/eds/EdsVtodo.h"

#include <QByteArray>
#include <algorithm>
#include <set>

namespace {

using Components = std::vector<ICalComponent *>;

// A GSList over components that stay owned by the caller.
class ComponentList {
public:
    explicit ComponentList(const Components &components)
    {
        for (auto it = components.rbegin(); it != components.rend(); ++it)
            m_list = g_slist_prepend(m_list, *it);
    }
    ~ComponentList() { g_slist_free(m_list); }
    ComponentList(const ComponentList &) = delete;
    ComponentList &operator=(const ComponentList &) = delete;
    GSList *get() const { return m_list; }

private:
    GSList *m_list = nullptr;
};

// The identifiers of whole reminders (every occurrence), for a remove call.
class IdList {
public:
    explicit IdList(const Components &components)
    {
        for (auto it = components.rbegin(); it != components.rend(); ++it)
            m_list = g_slist_prepend(m_list,
                                     e_cal_component_id_new(i_cal_component_get_uid(*it), nullptr));
    }
    ~IdList() { g_slist_free_full(m_list, e_cal_component_id_free); }
    IdList(const IdList &) = delete;
    IdList &operator=(const IdList &) = delete;
    GSList *get() const { return m_list; }

private:
    GSList *m_list = nullptr;
};

bool createAll(EdsSession &session, ECalClient *client, const Components &components,
               GError **error)
{
    GSList *uids = nullptr;
    const bool done = session.call(
        [&](GCancellable *cancellable, GError **failure) {
            return e_cal_client_create_objects_sync(client, ComponentList(components).get(),
                                                    E_CAL_OPERATION_FLAG_NONE, &uids, cancellable,
                                                    failure);
        },
        error);
    g_slist_free_full(uids, g_free);
    return done;
}

bool modifyAll(EdsSession &session, ECalClient *client, const Components &components,
               GError **error)
{
    return session.call(
        [&](GCancellable *cancellable, GError **failure) {
            return e_cal_client_modify_objects_sync(client, ComponentList(components).get(),
                                                    E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                                    cancellable, failure);
        },
        error);
}

bool removeAll(EdsSession &session, ECalClient *client, const Components &components,
               GError **error)
{
    return session.call(
        [&](GCancellable *cancellable, GError **failure) {
            return e_cal_client_remove_objects_sync(client, IdList(components).get(),
                                                    E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                                    cancellable, failure);
        },
        error);
}

// The component with that UID as the list holds it now, or null with `error` set.
GObjectPtr<ICalComponent> current(EdsSession &session, ECalClient *client, const char *uid,
                                  GError **error)
{
    ICalComponent *found = nullptr;
    session.call(
        [&](GCancellable *cancellable, GError **failure) {
            return e_cal_client_get_object_sync(client, uid, nullptr, &found, cancellable, failure);
        },
        error);
    return GObjectPtr<ICalComponent>(found);
}

// Why a reminder could not be read back: the service's failure when it failed, else the
// reminder is gone or no longer what was read.
ReminderError unreadable(const QString &id, const GErrorOut &error)
{
    if (error && EdsErrors::serviceFailed(error.get()))
        return EdsErrors::fromGError(error.get());
    return EdsErrors::reminderChanged(id);
}

// The UIDs of every reminder the list holds now; nothing, with `error` set, when it cannot be
// read.
std::optional<std::set<QByteArray>> uidsIn(EdsSession &session, ECalClient *client, GError **error)
{
    GSList *components = nullptr;
    if (!session.call(
            [&](GCancellable *cancellable, GError **failure) {
                return e_cal_client_get_object_list_sync(client, "#t", &components, cancellable,
                                                         failure);
            },
            error))
        return std::nullopt;
    std::set<QByteArray> uids;
    for (GSList *component = components; component; component = component->next)
        uids.insert(i_cal_component_get_uid(I_CAL_COMPONENT(component->data)));
    g_slist_free_full(components, g_object_unref);
    return uids;
}

// Those of `components` whose UID is among `uids` (`held`), or is not.
Components filtered(const Components &components, const std::set<QByteArray> &uids, bool held)
{
    Components kept;
    for (ICalComponent *component : components) {
        if (uids.contains(i_cal_component_get_uid(component)) == held)
            kept.push_back(component);
    }
    return kept;
}

template <typename Pick>
Components pick(const std::vector<EdsBatch::Change> &changes, Pick member)
{
    Components components;
    for (const EdsBatch::Change &change : changes)
        components.push_back((change.*member).get());
    return components;
}

void logFailedUndo(const char *what, const GErrorOut &error)
{
    if (error)
        qCDebug(lcReminders) << "undoing a failed batch:" << what
                             << "failed:" << error.get()->message;
}

} // namespace

EdsBatch::EdsBatch(EdsSession &session) : m_session(session) { }

std::optional<ReminderError> EdsBatch::save(const ReminderItem &item)
{
    std::optional<ReminderError> failure;
    m_session.run([&] {
        GErrorOut error;
        ECalClient *client = m_session.client(item.listId, error.receive());
        if (!client) {
            failure = EdsErrors::fromGError(error.get());
            return;
        }
        if (!item.stored) {
            m_lists[item.listId].created.push_back({EdsVtodo::created(item), nullptr});
            return;
        }
        GErrorOut unread;
        GObjectPtr<ICalComponent> before =
            current(m_session, client, item.id.toUtf8().constData(), unread.receive());
        if (!before) {
            failure = unreadable(item.id, unread);
            return;
        }
        auto wanted = EdsVtodo::changed(m_session, client, before.get(), item);
        if (ReminderError *refused = std::get_if<ReminderError>(&wanted)) {
            failure = std::move(*refused);
            return;
        }
        m_lists[item.listId].modified.push_back(
            {std::move(std::get<GObjectPtr<ICalComponent>>(wanted)), std::move(before)});
    });
    return failure;
}

std::optional<ReminderError> EdsBatch::remove(const ReminderItem &item)
{
    std::optional<ReminderError> failure;
    m_session.run([&] {
        GErrorOut error;
        ECalClient *client = m_session.client(item.listId, error.receive());
        if (!client) {
            failure = EdsErrors::fromGError(error.get());
            return;
        }
        GErrorOut unread;
        GObjectPtr<ICalComponent> before =
            current(m_session, client, item.id.toUtf8().constData(), unread.receive());
        if (!before) {
            failure = unreadable(item.id, unread);
            return;
        }
        m_lists[item.listId].removed.push_back({nullptr, std::move(before)});
    });
    return failure;
}

std::optional<ReminderError> EdsBatch::commit()
{
    std::optional<ReminderError> failure;
    m_session.run([&] {
        std::vector<Undo> undo;
        for (auto &[listId, changes] : m_lists) {
            GErrorOut error;
            ECalClient *client = m_session.client(listId, error.receive());
            if (!client)
                failure = EdsErrors::fromGError(error.get());
            else
                failure = commitList(listId, client, changes, undo);
            if (failure)
                break;
        }
        if (failure) {
            for (auto it = undo.rbegin(); it != undo.rend(); ++it)
                (*it)();
        }
        m_lists.clear();
    });
    return failure;
}

std::optional<ReminderError> EdsBatch::commitList(const QString &listId, ECalClient *client,
                                                  ListChanges &changes, std::vector<Undo> &undo)
{
    // Undone through the list's client as it is then: one connected afresh when the service
    // stopped meanwhile, since D-Bus starts it again. What a call that was never answered left
    // behind is not known, so the list is asked what it holds before anything is put back.
    const auto undoing = [this, listId](const char *what, auto change) {
        return [this, listId, what, change] {
            GErrorOut failed;
            if (ECalClient *now = m_session.client(listId, failed.receive())) {
                if (const std::optional<std::set<QByteArray>> uids =
                        uidsIn(m_session, now, failed.receive()))
                    change(now, *uids, failed.receive());
            }
            logFailedUndo(what, failed);
        };
    };
    // A call EDS refused changed nothing, as EDS checks a whole call before it applies any of
    // it; a call the service stopped during may have landed whole, so it is undone as well.
    const auto step = [&undo](bool made, const GErrorOut &error,
                              Undo undoIt) -> std::optional<ReminderError> {
        if (made || EdsErrors::serviceGone(error.get()))
            undo.push_back(std::move(undoIt));
        if (made)
            return std::nullopt;
        return EdsErrors::fromGError(error.get());
    };

    const Components created = pick(changes.created, &Change::wanted);
    if (!created.empty()) {
        GErrorOut error;
        const bool made = createAll(m_session, client, created, error.receive());
        const auto removeCreated =
            [this, created](ECalClient *now, const std::set<QByteArray> &uids, GError **failed) {
                const Components landed = filtered(created, uids, true);
                if (!landed.empty())
                    removeAll(m_session, now, landed, failed);
            };
        if (auto failure = step(made, error, undoing("removing what was created", removeCreated)))
            return failure;
    }

    const Components modified = pick(changes.modified, &Change::wanted);
    if (!modified.empty()) {
        GErrorOut error;
        const bool made = modifyAll(m_session, client, modified, error.receive());
        const auto putBack = [this, before = pick(changes.modified, &Change::before)](
                                 ECalClient *now, const std::set<QByteArray> &uids,
                                 GError **failed) {
            const Components held = filtered(before, uids, true);
            if (!held.empty())
                modifyAll(m_session, now, held, failed);
        };
        if (auto failure = step(made, error, undoing("putting back what was changed", putBack)))
            return failure;
    }

    Components removed = pick(changes.removed, &Change::before);
    if (!removed.empty()) {
        GErrorOut error;
        bool made = removeAll(m_session, client, removed, error.receive());
        // A reminder someone else removed meanwhile is gone as wanted; EDS refuses the whole
        // call for it, so the call is made again without it.
        GErrorOut again;
        if (!made &&
            g_error_matches(error.get(), E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND)) {
            qCDebug(lcReminders) << "a reminder to remove was already gone:"
                                 << error.get()->message;
            const std::optional<std::set<QByteArray>> uids =
                uidsIn(m_session, client, again.receive());
            if (!uids)
                return EdsErrors::fromGError(again.get());
            removed = filtered(removed, *uids, true);
            made = removed.empty() || removeAll(m_session, client, removed, again.receive());
        }
        const auto createAgain = [this, removed](ECalClient *now, const std::set<QByteArray> &uids,
                                                 GError **failed) {
            const Components gone = filtered(removed, uids, false);
            if (!gone.empty())
                createAll(m_session, now, gone, failed);
        };
        if (auto failure = step(made, again ? again : error,
                                undoing("creating again what was removed", createAgain)))
            return failure;
    }
    return std::nullopt;
}
