#include "ui/glass/WindowConfigurator.h"

#include "ui/glass/X11Compositing.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

constexpr const char *baseProperty = "slatebookBackdropBase";

WindowConfigurator::Base chooseBase()
{
    const QString platform = QGuiApplication::platformName();
    // A Wayland session is always composited; it offers no common blur request.
    if (platform.startsWith(QLatin1String("wayland")))
        return WindowConfigurator::Base::Translucent;
    if (platform == QLatin1String("xcb") && X11Compositing::compositorRunning())
        return X11Compositing::blurBehindSupported() ? WindowConfigurator::Base::Blurred
                                                     : WindowConfigurator::Base::Translucent;
    return WindowConfigurator::Base::Opaque;
}

} // namespace

namespace WindowConfigurator {

void configure(QWidget *window)
{
    const Base base = chooseBase();
    window->setProperty(baseProperty, int(base));
    if (base == Base::Opaque)
        return;
    window->setAttribute(Qt::WA_TranslucentBackground);
    if (base == Base::Blurred) {
        window->winId(); // the native window must exist to carry the blur request
        X11Compositing::requestBlurBehind(window->windowHandle());
    }
}

Base baseOf(const QWidget *widget)
{
    const QVariant value = widget->window()->property(baseProperty);
    return value.isValid() ? Base(value.toInt()) : Base::Opaque;
}

} // namespace WindowConfigurator
