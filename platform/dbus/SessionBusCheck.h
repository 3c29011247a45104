#pragma once
// Keeps a session bus that does not answer away from Qt. Qt's accessibility
// bridge connects to the session bus the first time a widget reports a
// change, and that connection waits without a time limit: a bus that accepts
// and never answers would keep the window from ever appearing.
//
// The address is changed in this process's environment once, before any
// thread of the program or of Qt exists, and never put back: setenv() is not
// safe while another thread may read the environment. The programs the
// launcher starts get the user's own address in their own environment.

namespace kav::app {

// Probes the session bus briefly; when it does not answer, the address is
// replaced by one that fails at once, so Qt goes on without a bus. Must run
// before any thread starts.
void checkSessionBus();

} // namespace kav::app
