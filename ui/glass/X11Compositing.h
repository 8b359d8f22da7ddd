#pragma once

#include <QWindow>

// What an X11 window manager offers a translucent window: a compositing manager to blend it
// with the desktop, and KWin's blur-behind region.
namespace X11Compositing {

// True when a compositing manager owns the _NET_WM_CM_S0 selection.
bool compositorRunning();

// True when KWin's blur effect announces _KDE_NET_WM_BLUR_BEHIND_REGION on the root window.
bool blurBehindSupported();

// Asks for the whole window to be blurred behind (an empty region means all of it).
void requestBlurBehind(QWindow *window);

} // namespace X11Compositing
