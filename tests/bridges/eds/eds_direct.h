#pragma once

// EDS as the tests see it: EDS's lists and reminders read and changed without the bridge, and
// the way back to EDS's own first state.
#include <libecal/libecal.h> // before Qt's headers: gio names a struct member `signals`

#include "bridges/reminders/eds/EdsReminderStore.h"
#include "bridges/reminders_calls.h"

namespace reminders_test {

inline const QString systemList = QStringLiteral("system-task-list");

// EDS seen without the bridge: its own registry and clients, on this thread.
class Eds {
public:
    Eds() : m_registry(e_source_registry_new_sync(nullptr, nullptr)) { }
    ~Eds()
    {
        for (ECalClient *client : std::as_const(m_clients))
            g_object_unref(client);
        if (m_registry)
            g_object_unref(m_registry);
    }

    ECalClient *client(const QString &listId)
    {
        if (!m_clients.contains(listId)) {
            ESource *source = e_source_registry_ref_source(m_registry, listId.toUtf8().constData());
            if (!source)
                return nullptr;
            m_clients.insert(
                listId,
                E_CAL_CLIENT(e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_TASKS,
                                                       guint32(-1), nullptr, nullptr)));
            g_object_unref(source);
        }
        return m_clients.value(listId);
    }

    // The text EDS keeps for that reminder, in whichever list holds it.
    QByteArray stored(const QString &id)
    {
        GList *sources = e_source_registry_list_sources(m_registry, E_SOURCE_EXTENSION_TASK_LIST);
        QByteArray text;
        for (GList *source = sources; source && text.isEmpty(); source = source->next) {
            ECalClient *list = client(QString::fromUtf8(e_source_get_uid(E_SOURCE(source->data))));
            ICalComponent *component = nullptr;
            if (list &&
                e_cal_client_get_object_sync(list, id.toUtf8().constData(), nullptr, &component,
                                             nullptr, nullptr)) {
                gchar *ical = i_cal_component_as_ical_string(component);
                text = ical;
                g_free(ical);
                g_object_unref(component);
            }
        }
        g_list_free_full(sources, g_object_unref);
        return text;
    }

    bool create(const QString &listId, const QByteArray &vtodo)
    {
        ICalComponent *component = i_cal_component_new_from_string(vtodo.constData());
        const bool created = e_cal_client_create_object_sync(
            client(listId), component, E_CAL_OPERATION_FLAG_NONE, nullptr, nullptr, nullptr);
        g_object_unref(component);
        return created;
    }

    bool remove(const QString &listId, const QString &id)
    {
        return e_cal_client_remove_object_sync(client(listId), id.toUtf8().constData(), nullptr,
                                               E_CAL_OBJ_MOD_ALL, E_CAL_OPERATION_FLAG_NONE,
                                               nullptr, nullptr);
    }

private:
    ESourceRegistry *m_registry;
    QHash<QString, ECalClient *> m_clients;
};

// Brings EDS back to its own first state, only its default list, empty, and gives that list's
// title.
inline QStringList resetToEdsFirstState()
{
    QStringList presets;
    const auto start = std::make_shared<EdsReminderStore>();
    for (const ReminderList &list : start->lists()) {
        if (list.id != systemList) {
            start->removeList(list);
            continue;
        }
        const auto items =
            await<QList<ReminderItem>>([&](auto done) { start->fetchReminders(list, done); });
        const auto batch = start->batch();
        for (const ReminderItem &item : items->result)
            batch->remove(item);
        batch->commit();
        presets.append(list.title);
    }
    return presets;
}

} // namespace reminders_test
