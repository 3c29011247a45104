#pragma once
// Keeps a session bus that does not answer away from Qt while the windows
// are built. Qt's accessibility bridge connects to the session bus the first
// time a widget reports a change, and that connection waits without a time
// limit for the bus to answer: a bus that accepts and never answers would
// keep the window from ever appearing.

#include <optional>
#include <string>

namespace kav::app {

class SessionBusCheck {
public:
    // Probes the session bus briefly. When it does not answer, the address
    // is replaced by one that fails at once, so Qt goes on without a bus.
    SessionBusCheck();
    // Puts the user's address back, for the programs the launcher starts.
    ~SessionBusCheck() { restore(); }
    SessionBusCheck(const SessionBusCheck&) = delete;
    SessionBusCheck& operator=(const SessionBusCheck&) = delete;

    void restore();

private:
    // The user's address while it is hidden; nothing when it was unset.
    std::optional<std::string> hidden_;
    bool hiding_ = false;
};

} // namespace kav::app
