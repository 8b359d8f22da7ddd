#pragma once

class QWidget;

// `WindowConfigurator`: makes a top-level window see-through where the desktop can show it.
// With a compositor the window becomes translucent (and blurred behind where KWin offers it);
// without one, translucency would show black, so the backdrop paints an opaque base instead.
namespace WindowConfigurator {

// What the backdrop must lay under its glows.
enum class Base {
    Opaque,      // no compositor: the window colour, fully
    Translucent, // composited, nothing blurs behind: mostly the window colour
    Blurred,     // composited and blurred behind: the blurred desktop shows through
};

// Call once on a top-level window before it is first shown.
void configure(QWidget *window);

// The base chosen for the window that holds `widget`; Opaque before `configure`.
Base baseOf(const QWidget *widget);

} // namespace WindowConfigurator
