#pragma once
// The end of the program asked for from outside: SIGTERM, SIGINT and SIGHUP
// (a desktop logout, Ctrl-C in the terminal, `timeout`), on Windows Ctrl-C,
// Ctrl-Break and the console's close. The handler itself only wakes the event
// loop; the end then runs there like any other callback.

#include <functional>

namespace shell {

// Takes the signals from now on. Called first in main(), before the
// application object exists, so a signal that comes during start-up waits
// until the event loop runs. A signal the program was started with ignored
// (nohup) stays ignored.
void EndsignaleAbfangen();

// Once the application object exists: `beenden` runs in the event loop for
// each signal taken (also for one taken before this call).
void EndsignaleVerbinden(std::function<void()> beenden);

}  // namespace shell
