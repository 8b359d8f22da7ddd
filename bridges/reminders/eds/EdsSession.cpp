// GLib's headers before Qt's: gio names a struct member `signals`, which Qt defines as a macro.
#include <libecal/libecal.h>

#include "bridges/reminders/eds/EdsSession.h"

#include "bridges/reminders/RemindersLog.h"
#include "bridges/reminders/eds/EdsErrors.h"
#include "bridges/reminders/eds/EdsPresence.h"
#include "bridges/reminders/eds/EdsWatchdog.h"
#include "bridges/reminders/eds/GLibPointers.h"

#include <future>
#include <map>
#include <thread>
#include <utility>

namespace {

constexpr int connectAttempts = 50;
constexpr gulong connectRetryMicroseconds = 100'000;

// A running registry always holds its built-in sources; one connected to nobody holds none.
bool holdsSources(ESourceRegistry *registry)
{
    GList *sources = e_source_registry_list_sources(registry, nullptr);
    const bool any = sources != nullptr;
    g_list_free_full(sources, g_object_unref);
    return any;
}

} // namespace

struct EdsSession::State {
    GMainContext *context = g_main_context_new();
    GMainLoop *loop = g_main_loop_new(context, false);
    std::thread thread;
    EdsWatchdog watchdog{callLimit};
    // Touched on the session thread only.
    GObjectPtr<ESourceRegistry> registry;
    std::map<QString, GObjectPtr<ECalClient>> clients;
    bool givenUp = false;      // a call went unanswered for callLimit
    bool clientsStale = false; // the service stopped since they were connected
    QString failure;           // why the registry is not connected, or the service was given up

    void post(std::function<void()> job)
    {
        GSource *idle = g_idle_source_new();
        g_source_set_callback(
            idle,
            [](gpointer data) {
                (*static_cast<std::function<void()> *>(data))();
                return gboolean(G_SOURCE_REMOVE);
            },
            new std::function<void()>(std::move(job)),
            [](gpointer data) { delete static_cast<std::function<void()> *>(data); });
        g_source_attach(idle, context);
        g_source_unref(idle);
    }
};

EdsSession &EdsSession::forThisProcess()
{
    // Never destroyed: its thread serves until the process ends, and EDS's objects are never
    // torn down while static destructors run.
    static EdsSession *const session = new EdsSession;
    return *session;
}

EdsSession::EdsSession() : m_state(new State)
{
    m_state->thread = std::thread([state = m_state] {
        g_main_context_push_thread_default(state->context);
        g_main_loop_run(state->loop);
    });
}

void EdsSession::post(std::function<void()> job)
{
    m_state->post(std::move(job));
}

void EdsSession::run(const std::function<void()> &job)
{
    if (std::this_thread::get_id() == m_state->thread.get_id()) {
        job();
        return;
    }
    std::promise<void> ran;
    m_state->post([&] {
        job();
        ran.set_value();
    });
    ran.get_future().wait();
}

bool EdsSession::call(const std::function<bool(GCancellable *, GError **)> &edsCall, GError **error)
{
    if (m_state->givenUp) {
        g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT,
                            "the service was given up after a call it left unanswered");
        return false;
    }
    GError *failure = nullptr;
    const bool answered = edsCall(m_state->watchdog.arm(), &failure);
    const bool expired = m_state->watchdog.disarm();
    if (!answered && expired && g_error_matches(failure, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
        g_clear_error(&failure);
        g_set_error(&failure, G_IO_ERROR, G_IO_ERROR_TIMED_OUT, "no answer within %lld s",
                    static_cast<long long>(callLimit.count()));
    }
    if (g_error_matches(failure, G_IO_ERROR, G_IO_ERROR_TIMED_OUT)) {
        m_state->givenUp = true;
        m_state->failure = EdsErrors::noAnswer();
    } else if (failure && EdsErrors::serviceGone(failure)) {
        m_state->clientsStale = true;
    }
    if (failure)
        g_propagate_error(error, failure);
    return answered;
}

bool EdsSession::reachable()
{
    m_state->givenUp = false;
    return registry() != nullptr;
}

std::optional<QString> EdsSession::unreachableReason()
{
    if (registry())
        return std::nullopt;
    return m_state->failure;
}

ESourceRegistry *EdsSession::registry()
{
    if (m_state->givenUp)
        return nullptr;
    if (m_state->registry)
        return m_state->registry.get();
    if (const std::optional<QString> missing = EdsPresence::missing()) {
        m_state->failure = *missing;
        return nullptr;
    }
    ESourceRegistry *made = nullptr;
    GErrorOut error;
    call(
        [&made](GCancellable *cancellable, GError **failure) {
            made = e_source_registry_new_sync(cancellable, failure);
            return made != nullptr;
        },
        error.receive());
    if (!made) {
        qCDebug(lcReminders) << "the desktop's task service did not answer:"
                             << error.get()->message;
        if (!m_state->givenUp)
            m_state->failure = EdsErrors::unreachable();
        return nullptr;
    }
    m_state->registry.reset(made);
    // Listed as startable, the service may still fail to start.
    if (!holdsSources(made)) {
        qCDebug(lcReminders) << "the source registry did not start";
        m_state->registry.reset();
        m_state->failure = EdsErrors::notOnTheBus();
        return nullptr;
    }
    return made;
}

ECalClient *EdsSession::client(const QString &sourceUid, GError **error)
{
    if (std::exchange(m_state->clientsStale, false))
        m_state->clients.clear();
    if (const auto known = m_state->clients.find(sourceUid); known != m_state->clients.end())
        return known->second.get();
    ESourceRegistry *sources = registry();
    if (!sources) {
        if (m_state->givenUp)
            g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT, "service given up");
        else
            g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_CONNECTED, "no source registry");
        return nullptr;
    }
    const GObjectPtr<ESource> source(
        e_source_registry_ref_source(sources, sourceUid.toUtf8().constData()));
    if (!source) {
        g_set_error(error, G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "no task list %s",
                    sourceUid.toUtf8().constData());
        return nullptr;
    }
    // Not waiting (-1) for the backend to report itself connected: a local list always is, and a
    // list of an online account takes changes offline and sends them when it connects. The
    // calendar factory learns of a list just created through its own registry, a moment after
    // this one: until then it refuses to open it, so a refusal is tried again for a while; a
    // call left unanswered is not.
    EClient *client = nullptr;
    for (int attempt = 0; !client; ++attempt) {
        GErrorOut refused;
        call(
            [&](GCancellable *cancellable, GError **failure) {
                client = e_cal_client_connect_sync(source.get(), E_CAL_CLIENT_SOURCE_TYPE_TASKS,
                                                   guint32(-1), cancellable, failure);
                return client != nullptr;
            },
            refused.receive());
        if (client)
            break;
        if (attempt == connectAttempts || m_state->givenUp) {
            qCDebug(lcReminders) << "task list" << sourceUid
                                 << "could not be opened:" << refused.get()->message;
            g_propagate_error(error, g_error_copy(refused.get()));
            return nullptr;
        }
        g_usleep(connectRetryMicroseconds);
    }
    return m_state->clients
        .insert_or_assign(sourceUid, GObjectPtr<ECalClient>(E_CAL_CLIENT(client)))
        .first->second.get();
}

void EdsSession::forgetClient(const QString &sourceUid)
{
    m_state->clients.erase(sourceUid);
}
