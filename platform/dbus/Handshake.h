#pragma once
// Whether a bus answers, decided by the opening of the D-Bus handshake on a
// non-blocking socket: connect, authenticate as this user, send Hello. The
// bus answers when it replies to the Hello. The callers decide how to wait.

#include <chrono>
#include <string>

namespace kav::dbus {

class Handshake {
public:
    // Begins connecting to the bus at `address`. Another kind of address than
    // a local socket counts as answering: the D-Bus library decides.
    explicit Handshake(const std::string& address);
    ~Handshake();
    Handshake(const Handshake&) = delete;
    Handshake& operator=(const Handshake&) = delete;

    // The socket to wait on while pending: writable while connecting, then readable.
    int fd() const { return fd_; }
    bool pending() const { return step_ == Step::Connecting || step_ == Step::Waiting; }
    bool connecting() const { return step_ == Step::Connecting; }
    bool answered() const { return step_ == Step::Answered; }

    // Takes the next step once the socket is ready; never blocks.
    void advance();

private:
    enum class Step { Connecting, Waiting, Answered, Failed };
    bool send(const std::string& bytes);

    int fd_ = -1;
    Step step_ = Step::Failed;
    bool authenticated_ = false;
    std::string reply_;
};

// Blocks until the bus at `address` answers (true) or `timeout` passes.
bool answers(const std::string& address, std::chrono::milliseconds timeout);

} // namespace kav::dbus
