#pragma once

// The application object's start: decides between command-line mode (a task was found; the
// process ends inside) and window mode, before any QApplication exists so that command-line
// mode needs no display.
class SlateApp {
public:
    static int run(int argc, char **argv);
};
