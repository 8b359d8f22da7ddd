#include "ui/glass/X11Compositing.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *connection()
{
    const auto *x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *c)
{
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

xcb_atom_t atom(xcb_connection_t *c, const QByteArray &name, bool onlyIfExists)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(c, onlyIfExists, name.size(), name.constData());
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

const QByteArray blurAtomName = QByteArrayLiteral("_KDE_NET_WM_BLUR_BEHIND_REGION");

} // namespace

namespace X11Compositing {

bool compositorRunning()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    const xcb_atom_t selection = atom(c, QByteArrayLiteral("_NET_WM_CM_S0"), false);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

bool blurBehindSupported()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    const xcb_atom_t blur = atom(c, blurAtomName, true);
    if (blur == XCB_ATOM_NONE)
        return false;
    xcb_list_properties_reply_t *reply =
        xcb_list_properties_reply(c, xcb_list_properties(c, rootWindow(c)), nullptr);
    if (!reply)
        return false;
    const xcb_atom_t *atoms = xcb_list_properties_atoms(reply);
    const int count = xcb_list_properties_atoms_length(reply);
    const bool announced = std::find(atoms, atoms + count, blur) != atoms + count;
    std::free(reply);
    return announced;
}

void requestBlurBehind(QWindow *window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return;
    const xcb_atom_t blur = atom(c, blurAtomName, false);
    if (blur == XCB_ATOM_NONE)
        return;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), blur,
                        XCB_ATOM_CARDINAL, 32, 0, nullptr);
    xcb_flush(c);
}

} // namespace X11Compositing
