// GLib's headers before Qt's: gio names a struct member `signals`, which Qt defines as a macro.
#include <libecal/libecal.h>

#include "bridges/reminders/eds/EdsReminderStore.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsBatch.h"
#include "bridges/reminders/eds/EdsErrors.h"
#include "bridges/reminders/eds/EdsVtodo.h"
#include "bridges/reminders/eds/GLibPointers.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

namespace {

// The parent of every list kept on this computer.
const char *const localAccount = "local-stub";

QString displayName(ESource *source)
{
    gchar *name = e_source_dup_display_name(source);
    const QString text = QString::fromUtf8(name);
    g_free(name);
    return text;
}

ReminderAccount accountOf(ESourceRegistry *registry, ESource *list)
{
    const QString parent = QString::fromUtf8(e_source_get_parent(list));
    if (parent.isEmpty() || parent == QLatin1String(localAccount))
        return {QString::fromLatin1(localAccount), QStringLiteral("本机")};
    const GObjectPtr<ESource> account(
        e_source_registry_ref_source(registry, parent.toUtf8().constData()));
    return {parent, account ? displayName(account.get()) : parent};
}

ReminderList listOf(ESourceRegistry *registry, ESource *source)
{
    return {QString::fromUtf8(e_source_get_uid(source)), displayName(source),
            accountOf(registry, source)};
}

// The enabled task lists, by title and then identifier: the registry keeps no order of its own.
QList<ReminderList> taskLists(ESourceRegistry *registry)
{
    QList<ReminderList> lists;
    GList *sources = e_source_registry_list_enabled(registry, E_SOURCE_EXTENSION_TASK_LIST);
    for (GList *source = sources; source; source = source->next)
        lists.append(listOf(registry, E_SOURCE(source->data)));
    g_list_free_full(sources, g_object_unref);
    std::stable_sort(lists.begin(), lists.end(), [](const ReminderList &a, const ReminderList &b) {
        return std::pair(a.title, a.id) < std::pair(b.title, b.id);
    });
    return lists;
}

bool sameTitle(const QString &a, const QString &b)
{
    return a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

} // namespace

EdsReminderStore::EdsReminderStore() : m_session(EdsSession::forThisProcess())
{
    // Connected ahead, so the first list of names need not wait for D-Bus to start the registry.
    m_session.post([&session = m_session] { session.registry(); });
}

void EdsReminderStore::requestAccess(std::function<void(bool granted)> done)
{
    m_session.post([&session = m_session, done = std::move(done)] { done(session.reachable()); });
}

QList<ReminderList> EdsReminderStore::lists() const
{
    QList<ReminderList> lists;
    m_session.run([&] {
        if (ESourceRegistry *registry = m_session.registry())
            lists = taskLists(registry);
    });
    return lists;
}

std::optional<ReminderList> EdsReminderStore::defaultListForNewReminders() const
{
    std::optional<ReminderList> list;
    m_session.run([&] {
        ESourceRegistry *registry = m_session.registry();
        if (!registry)
            return;
        const GObjectPtr<ESource> source(e_source_registry_ref_default_task_list(registry));
        if (source && e_source_get_enabled(source.get()))
            list = listOf(registry, source.get());
    });
    return list;
}

QList<ReminderAccount> EdsReminderStore::accounts() const
{
    QList<ReminderAccount> accounts;
    m_session.run([&] {
        if (ESourceRegistry *registry = m_session.registry()) {
            const GObjectPtr<ESource> local(e_source_registry_ref_source(registry, localAccount));
            if (local)
                accounts.append({QString::fromLatin1(localAccount), QStringLiteral("本机")});
        }
    });
    return accounts;
}

std::variant<ReminderList, ReminderError> EdsReminderStore::createList(const QString &title,
                                                                       const ReminderAccount &)
{
    std::variant<ReminderList, ReminderError> result = SlateError::noAccount();
    m_session.run([&] {
        ESourceRegistry *registry = m_session.registry();
        if (!registry)
            return;
        // Two writes into one new list, one after the other on this thread, meet in one list.
        for (const ReminderList &list : taskLists(registry)) {
            if (sameTitle(list.title, title)) {
                result = list;
                return;
            }
        }
        GErrorOut error;
        const GObjectPtr<ESource> source(e_source_new(nullptr, nullptr, error.receive()));
        if (!source) {
            result = EdsErrors::fromGError(error.get());
            return;
        }
        e_source_set_display_name(source.get(), title.toUtf8().constData());
        e_source_set_parent(source.get(), localAccount);
        auto *tasks = static_cast<ESourceBackend *>(
            e_source_get_extension(source.get(), E_SOURCE_EXTENSION_TASK_LIST));
        e_source_backend_set_backend_name(tasks, "local");
        if (!m_session.call(
                [&](GCancellable *cancellable, GError **failure) {
                    return e_source_registry_commit_source_sync(registry, source.get(), cancellable,
                                                                failure);
                },
                error.receive())) {
            result = EdsErrors::fromGError(error.get());
            return;
        }
        result = listOf(registry, source.get());
    });
    return result;
}

std::optional<ReminderError> EdsReminderStore::removeList(const ReminderList &list)
{
    std::optional<ReminderError> failure;
    m_session.run([&] {
        ESourceRegistry *registry = m_session.registry();
        const GObjectPtr<ESource> source(
            registry ? e_source_registry_ref_source(registry, list.id.toUtf8().constData())
                     : nullptr);
        if (!source) {
            failure = EdsErrors::reminderChanged(list.id);
            return;
        }
        m_session.forgetClient(list.id);
        GErrorOut error;
        if (!m_session.call(
                [&](GCancellable *cancellable, GError **failure) {
                    return e_source_remove_sync(source.get(), cancellable, failure);
                },
                error.receive()))
            failure = EdsErrors::fromGError(error.get());
    });
    return failure;
}

void EdsReminderStore::fetchReminders(const ReminderList &list,
                                      std::function<void(QList<ReminderItem>)> done)
{
    m_session.post([&session = m_session, listId = list.id, done = std::move(done)] {
        QList<ReminderItem> items;
        GErrorOut error;
        ECalClient *client = session.client(listId, error.receive());
        GSList *components = nullptr;
        if (client &&
            session.call(
                [&](GCancellable *cancellable, GError **failure) {
                    return e_cal_client_get_object_list_sync(client, "#t", &components, cancellable,
                                                             failure);
                },
                error.receive())) {
            for (GSList *component = components; component; component = component->next) {
                if (std::optional<ReminderItem> item =
                        EdsVtodo::read(session, client, I_CAL_COMPONENT(component->data), listId))
                    items.append(std::move(*item));
            }
            g_slist_free_full(components, g_object_unref);
        } else {
            qCDebug(lcReminders) << "task list" << listId
                                 << "could not be read:" << error.get()->message;
        }
        done(std::move(items));
    });
}

std::optional<ReminderItem> EdsReminderStore::item(const QString &id) const
{
    std::optional<ReminderItem> found;
    m_session.run([&] {
        for (const ReminderList &list : lists()) {
            ECalClient *client = m_session.client(list.id, nullptr);
            ICalComponent *component = nullptr;
            if (!client ||
                !m_session.call(
                    [&](GCancellable *cancellable, GError **failure) {
                        return e_cal_client_get_object_sync(client, id.toUtf8().constData(),
                                                            nullptr, &component, cancellable,
                                                            failure);
                    },
                    nullptr))
                continue;
            const GObjectPtr<ICalComponent> owned(component);
            found = EdsVtodo::read(m_session, client, component, list.id);
            if (found)
                return;
        }
    });
    return found;
}

ReminderItem EdsReminderStore::newReminder(const ReminderList &list) const
{
    ReminderItem item;
    item.id = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    item.listId = list.id;
    item.location = list.id;
    return item;
}

std::unique_ptr<ReminderBatch> EdsReminderStore::batch()
{
    return std::make_unique<EdsBatch>(m_session);
}

void EdsReminderStore::openInDesktop() const
{
    // GNOME To Do (now Endeavour) shows the task lists alone; Evolution has them among its parts.
    const std::pair<const char *, QStringList> programs[] = {
        {"endeavour", {}},
        {"gnome-todo", {}},
        {"evolution", {QStringLiteral("--component=tasks")}}};
    for (const auto &[program, arguments] : programs) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!path.isEmpty() && QProcess::startDetached(path, arguments))
            return;
    }
    qCDebug(lcReminders) << "no program that shows the desktop's task lists is installed";
}

QString EdsReminderStore::storeTitle()
{
    return QStringLiteral("桌面任务 (Evolution)");
}

QString EdsReminderStore::noAccessReason() const
{
    return unreachableReason().value_or(EdsErrors::unreachable());
}

std::optional<QString> EdsReminderStore::unreachableReason() const
{
    std::optional<QString> reason;
    m_session.run([&] { reason = m_session.unreachableReason(); });
    return reason;
}
