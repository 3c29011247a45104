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

#include <chrono>
#include <string>

namespace kav::app {

// The session bus address for Qt: `address` itself when the bus there
// replies to the opening of a D-Bus conversation (authentication and Hello)
// within `timeout`, else one that the D-Bus library refuses at once. An
// address of another transport than a local socket is kept: the D-Bus
// library decides.
std::string answeringBus(const std::string& address, std::chrono::milliseconds timeout);

// Puts the answering address in the environment when the session bus does
// not answer. Must run before any thread starts.
void checkSessionBus();

} // namespace kav::app
