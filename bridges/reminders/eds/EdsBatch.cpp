#include "bridges/reminders/eds/EdsBatch.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsErrors.h"
#include "bridges/reminders/eds/EdsVtodo.h"

#include <algorithm>

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

bool createAll(ECalClient *client, const Components &components, GError **error)
{
    GSList *uids = nullptr;
    const bool done = e_cal_client_create_objects_sync(
        client, ComponentList(components).get(), E_CAL_OPERATION_FLAG_NONE, &uids, nullptr, error);
    g_slist_free_full(uids, g_free);
    return done;
}

bool modifyAll(ECalClient *client, const Components &components, GError **error)
{
    return e_cal_client_modify_objects_sync(client, ComponentList(components).get(),
                                            E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE, nullptr,
                                            error);
}

bool removeAll(ECalClient *client, const Components &components, GError **error)
{
    return e_cal_client_remove_objects_sync(client, IdList(components).get(), E_CAL_OBJ_MOD_ALL,
                                            E_CAL_OPERATION_FLAG_NONE, nullptr, error);
}

bool exists(ECalClient *client, ICalComponent *component)
{
    ICalComponent *found = nullptr;
    if (!e_cal_client_get_object_sync(client, i_cal_component_get_uid(component), nullptr, &found,
                                      nullptr, nullptr))
        return false;
    g_object_unref(found);
    return true;
}

// The component with that UID as the list holds it now, or null.
GObjectPtr<ICalComponent> current(ECalClient *client, const QString &id)
{
    ICalComponent *found = nullptr;
    if (!e_cal_client_get_object_sync(client, id.toUtf8().constData(), nullptr, &found, nullptr,
                                      nullptr))
        return nullptr;
    return GObjectPtr<ICalComponent>(found);
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
        GObjectPtr<ICalComponent> before = current(client, item.id);
        if (!before) {
            failure = EdsErrors::reminderChanged(item.id);
            return;
        }
        auto wanted = EdsVtodo::changed(client, before.get(), item);
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
        GObjectPtr<ICalComponent> before = current(client, item.id);
        if (!before) {
            failure = EdsErrors::reminderChanged(item.id);
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
                failure = commitList(client, changes, undo);
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

std::optional<ReminderError> EdsBatch::commitList(ECalClient *client, ListChanges &changes,
                                                  std::vector<Undo> &undo)
{
    GErrorOut error;
    const Components created = pick(changes.created, &Change::wanted);
    if (!created.empty()) {
        if (!createAll(client, created, error.receive()))
            return EdsErrors::fromGError(error.get());
        undo.push_back([client, created] {
            GErrorOut failed;
            removeAll(client, created, failed.receive());
            logFailedUndo("removing what was created", failed);
        });
    }

    const Components modified = pick(changes.modified, &Change::wanted);
    if (!modified.empty()) {
        if (!modifyAll(client, modified, error.receive()))
            return EdsErrors::fromGError(error.get());
        undo.push_back([client, before = pick(changes.modified, &Change::before)] {
            GErrorOut failed;
            modifyAll(client, before, failed.receive());
            logFailedUndo("putting back what was changed", failed);
        });
    }

    Components removed = pick(changes.removed, &Change::before);
    if (!removed.empty()) {
        // A reminder someone else removed meanwhile is gone as wanted; EDS refuses the whole
        // call for it, so the call is made again without it.
        if (!removeAll(client, removed, error.receive()) &&
            g_error_matches(error.get(), E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND)) {
            qCDebug(lcReminders) << "a reminder to remove was already gone:"
                                 << error.get()->message;
            std::erase_if(
                removed, [client](ICalComponent *component) { return !exists(client, component); });
            GErrorOut again;
            if (!removed.empty() && !removeAll(client, removed, again.receive()))
                return EdsErrors::fromGError(again.get());
        } else if (error) {
            return EdsErrors::fromGError(error.get());
        }
        undo.push_back([client, removed] {
            GErrorOut failed;
            createAll(client, removed, failed.receive());
            logFailedUndo("creating again what was removed", failed);
        });
    }
    return std::nullopt;
}
