// A bus that does not answer, for the end-to-end tests: listens on a Unix
// socket, takes every connection and never writes a byte. It ends by itself
// after the given number of seconds, or on SIGTERM.
// Usage: mute_socket <socket path> <seconds>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mute_socket <socket path> <seconds>\n");
        return 2;
    }
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (std::strlen(argv[1]) >= sizeof addr.sun_path) return 2;
    std::strcpy(addr.sun_path, argv[1]);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        std::perror("mute_socket");
        return 1;
    }
    ::alarm(static_cast<unsigned>(std::atoi(argv[2])));
    std::vector<int> kept; // open, unanswered
    for (;;) {
        const int c = ::accept(fd, nullptr, nullptr);
        if (c >= 0) kept.push_back(c);
    }
}
