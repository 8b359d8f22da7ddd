#pragma once

#include <glib-object.h>
#include <memory>

// Owning pointers for the GLib objects the desktop-tasks store holds: one reference each,
// dropped with g_object_unref, and the GError of a failed call.
struct GObjectUnref {
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Receives a GError from a GLib call: `call(..., out.receive())`.
class GErrorOut {
public:
    GErrorOut() = default;
    GErrorOut(const GErrorOut &) = delete;
    GErrorOut &operator=(const GErrorOut &) = delete;
    GError **receive() { return &m_error; }
    explicit operator bool() const { return m_error != nullptr; }
    const GError *get() const { return m_error; }
    ~GErrorOut()
    {
        if (m_error)
            g_error_free(m_error);
    }

private:
    GError *m_error = nullptr;
};
