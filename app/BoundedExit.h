#pragma once

#include <chrono>

// How long work still on the thread pool may delay the end of the window process.
constexpr std::chrono::milliseconds poolWorkGrace = std::chrono::seconds(2);

// Called once the window's event loop has returned and the window's objects (which save as they
// change) are gone. Work still on the global thread pool (a recognition in flight, a D-Bus call
// that hangs, a read that never returns) gets `grace` to finish; this returns once it has.
// Otherwise it names the threads still running in the log and ends the process at once with
// `status`: QApplication's destructor would wait for that work without end.
void waitForPoolOrExit(int status, std::chrono::milliseconds grace = poolWorkGrace);
