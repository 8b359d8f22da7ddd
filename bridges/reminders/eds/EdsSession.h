#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

// Declared as GLib declares them, so that headers including this one need not include GLib's
// headers, which clash with Qt's `signals` macro unless they come first.
typedef struct _ESourceRegistry ESourceRegistry;
typedef struct _ECalClient ECalClient;
typedef struct _GError GError;
typedef struct _GCancellable GCancellable;

// The connection to Evolution Data Server: its source registry and one calendar client per
// task list, all living on one thread of their own.
//
// How GLib's main loop meets Qt's event loop: libedataserver and libecal deliver their signals
// and finish their internal work (the registry learning of a new or removed list, a client
// noticing its backend) as sources on the GMainContext that was the thread default when the
// object was made. Qt on Linux normally iterates the default GMainContext on its main thread,
// but not always (QT_NO_GLIB, another event dispatcher), and the bridge's sync calls would then
// block the thread that has to run those sources. So the session runs a private GMainContext
// with its own GMainLoop on its own thread, pushed as that thread's default before any EDS
// object is made: every EDS object is created, used and dropped there, GLib's loop turns
// between jobs, and the Qt main thread never waits on EDS nor runs EDS code. Jobs come in as
// idle sources (`post`, in order), or with the caller waiting (`run`). The Reminders bridge
// then posts every completion to the Qt main thread as it does for the folder store.
//
// One session serves the whole process and lasts as long as it, as GLib's connection to the
// session bus does: two writes at once meet one registry and the second finds the list the
// first created, and a registry is not connected anew for every store.
//
// Every call to EDS goes through `call`, which gives up on it after `callLimit`. A service
// that let a call go unanswered that long is given up until the next `reachable`: the calls
// in between fail at once instead of each waiting as long again. A service that stopped (its
// process ended) is started again by D-Bus with the next client connected, so the clients of
// a stopped service are dropped and connected afresh on their next use.
class EdsSession {
public:
    static constexpr std::chrono::seconds callLimit{25};

    // The process's session, started on first use.
    static EdsSession &forThisProcess();
    EdsSession(const EdsSession &) = delete;
    EdsSession &operator=(const EdsSession &) = delete;

    // Queues `job` on the session's thread and returns at once.
    void post(std::function<void()> job);
    // Runs `job` on the session's thread and returns when it has run; at once when called there.
    void run(const std::function<void()> &job);

    // Session thread only. Makes one call to EDS with a cancellable that is cancelled after
    // `callLimit`; returns its result, with `error` telling G_IO_ERROR_TIMED_OUT for a call
    // given up on. Fails at once while the service is given up.
    bool call(const std::function<bool(GCancellable *, GError **)> &edsCall, GError **error);

    // Session thread only. Gives a service that was given up a new chance, and tells whether
    // the registry answers.
    bool reachable();
    // Session thread only. Why the service cannot be used now, without trying again; nothing
    // while the registry is connected and the service has not been given up.
    std::optional<QString> unreachableReason();

    // Session thread only. The source registry, connected on first use and again after a
    // failure; null when the service is missing, does not answer, or was given up.
    ESourceRegistry *registry();
    // Session thread only. The client of the task list with that source UID, connected on first
    // use; null with `error` set when it cannot be opened.
    ECalClient *client(const QString &sourceUid, GError **error);
    // Session thread only. Drops the client of a list that was removed.
    void forgetClient(const QString &sourceUid);

private:
    struct State;
    EdsSession();

    State *m_state;
};
