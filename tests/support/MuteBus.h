#pragma once
// A bus that does not answer: it takes every connection on a socket in a
// temporary folder, or on an `abstract` one of the same name, and never
// writes a byte, or, when it `authenticates`, accepts each client's
// authentication and then falls silent.

#include "tests/support/TempDir.h"

#include <cstddef>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kav::test {

class MuteBus {
public:
    explicit MuteBus(bool authenticates = false, bool abstract = false)
        : path_((dir_.path() / "bus").string()), abstract_(abstract) {
        sockaddr_un sa{.sun_family = AF_UNIX, .sun_path = {}};
        path_.copy(sa.sun_path + abstract, sizeof sa.sun_path - 2);
        const auto len =
            static_cast<socklen_t>(abstract ? offsetof(sockaddr_un, sun_path) + 1 + path_.size() : sizeof sa);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        listening_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&sa), len) == 0 && ::listen(fd_, 16) == 0;
        if (authenticates) server_ = std::thread([this] { serve(); });
    }
    ~MuteBus() {
        // Wakes the server from accept().
        ::shutdown(fd_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        for (const int c : clients_)
            ::close(c);
        ::close(fd_);
    }
    MuteBus(const MuteBus&) = delete;
    MuteBus& operator=(const MuteBus&) = delete;
    bool listening() const { return listening_; }
    std::string address() const { return (abstract_ ? "unix:abstract=" : "unix:path=") + path_; }

private:
    void serve() {
        static constexpr char kOk[] = "OK 0123456789abcdef0123456789abcdef\r\n";
        for (int c = 0; (c = ::accept(fd_, nullptr, nullptr)) >= 0;) {
            clients_.push_back(c);
            char auth[256];
            if (::read(c, auth, sizeof auth) <= 0 || ::write(c, kOk, sizeof kOk - 1) <= 0) return;
        }
    }

    TempDir dir_;
    std::string path_;
    bool abstract_;
    int fd_ = -1;
    bool listening_ = false;
    std::thread server_;
    std::vector<int> clients_;
};

} // namespace kav::test
