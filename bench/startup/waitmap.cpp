// waitmap: starts a program on the current X display and reports how long it
// took from exec to its first top-level window being mapped and to the first
// drawing into that window, then ends it and reports its peak memory.
//
//   waitmap [--linger-ms N] [--timeout-ms N] program [args...]
//
// Prints one line: map_us=... paint_us=... maxrss_kb=... cpu_us=...
// map_us and paint_us count from just before fork/exec. The first drawing is
// seen through the X DAMAGE extension, which the server reports the moment a
// client's pixels land in the window (Qt windows have no server-painted
// background, so the first damage is the program's own first paint). After
// the paint the program runs on for --linger-ms (1500 ms by default) and is
// then sent SIGTERM; its peak resident set comes from wait4()'s rusage.
//
// Only the core protocol and raw DAMAGE requests through libxcb are used, so
// no X extension client library is needed.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

xcb_extension_t g_damageExtension = {"DAMAGE", 0};

constexpr std::uint8_t kDamageQueryVersion = 0;
constexpr std::uint8_t kDamageCreate = 1;
constexpr std::uint8_t kDamageReportNonEmpty = 3;

struct DamageQueryVersionRequest {
    std::uint8_t majorOpcode;
    std::uint8_t minorOpcode;
    std::uint16_t length;
    std::uint32_t clientMajor;
    std::uint32_t clientMinor;
};

struct DamageCreateRequest {
    std::uint8_t majorOpcode;
    std::uint8_t minorOpcode;
    std::uint16_t length;
    std::uint32_t damage;
    std::uint32_t drawable;
    std::uint8_t level;
    std::uint8_t pad[3];
};

struct DamageNotifyEvent {
    std::uint8_t responseType;
    std::uint8_t level;
    std::uint16_t sequence;
    std::uint32_t drawable;
    std::uint32_t damage;
    std::uint32_t timestamp;
};

template <typename Request>
unsigned sendDamageRequest(xcb_connection_t* c, std::uint8_t opcode, Request& req, bool isVoid) {
    xcb_protocol_request_t proto{};
    proto.count = 2;
    proto.ext = &g_damageExtension;
    proto.opcode = opcode;
    proto.isvoid = isVoid ? 1 : 0;
    iovec parts[4]{};
    parts[2].iov_base = &req;
    parts[2].iov_len = sizeof req;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = (4 - sizeof req % 4) % 4;
    return xcb_send_request(c, isVoid ? 0 : XCB_REQUEST_CHECKED, parts + 2, &proto);
}

// DAMAGE refuses every other request until the client has told its version.
bool initDamage(xcb_connection_t* c, std::uint8_t& firstEvent) {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &g_damageExtension);
    if (!ext || !ext->present) return false;
    firstEvent = ext->first_event;
    DamageQueryVersionRequest req{};
    req.clientMajor = 1;
    req.clientMinor = 1;
    const unsigned seq = sendDamageRequest(c, kDamageQueryVersion, req, false);
    xcb_generic_error_t* err = nullptr;
    void* reply = xcb_wait_for_reply(c, seq, &err);
    const bool ok = reply != nullptr;
    std::free(reply);
    std::free(err);
    return ok;
}

void watchDamage(xcb_connection_t* c, xcb_window_t window) {
    DamageCreateRequest req{};
    req.damage = xcb_generate_id(c);
    req.drawable = window;
    req.level = kDamageReportNonEmpty;
    sendDamageRequest(c, kDamageCreate, req, true);
    xcb_flush(c);
}

long long micros(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration_cast<std::chrono::microseconds>(to - from).count();
}

long long timevalMicros(const timeval& tv) { return static_cast<long long>(tv.tv_sec) * 1000000 + tv.tv_usec; }

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: waitmap [--linger-ms N] [--timeout-ms N] program [args...]\n");
    std::exit(64);
}

} // namespace

int main(int argc, char** argv) {
    int lingerMs = 1500;
    int timeoutMs = 30000;
    int first = 1;
    while (first < argc && std::strncmp(argv[first], "--", 2) == 0) {
        const std::string opt = argv[first];
        if (opt == "--") {
            ++first;
            break;
        }
        if (first + 1 >= argc) usage();
        if (opt == "--linger-ms")
            lingerMs = std::atoi(argv[first + 1]);
        else if (opt == "--timeout-ms")
            timeoutMs = std::atoi(argv[first + 1]);
        else
            usage();
        first += 2;
    }
    if (first >= argc) usage();

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "waitmap: cannot connect to the X display\n");
        return 2;
    }
    const int xfd = xcb_get_file_descriptor(c);
    ::fcntl(xfd, F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;

    std::uint8_t damageEvent = 0;
    const bool haveDamage = initDamage(c, damageEvent);
    if (!haveDamage) std::fprintf(stderr, "waitmap: no DAMAGE extension; reporting the map only\n");

    // Hear about every top-level window created and mapped from now on.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t ck = xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* e = xcb_request_check(c, ck)) {
        std::fprintf(stderr, "waitmap: cannot watch the root window (error %d)\n", e->error_code);
        std::free(e);
        return 2;
    }

    const Clock::time_point t0 = Clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("waitmap: fork");
        return 2;
    }
    if (child == 0) {
        ::dup2(2, 1); // keep waitmap's own standard output for its result line
        ::execv(argv[first], argv + first);
        std::perror("waitmap: exec");
        ::_exit(127);
    }

    std::set<xcb_window_t> mapped;
    long long mapUs = -1;
    long long paintUs = -1;
    const Clock::time_point deadline = t0 + std::chrono::milliseconds(timeoutMs);
    bool childGone = false;
    for (;;) {
        if (haveDamage ? paintUs >= 0 : mapUs >= 0) break;
        xcb_generic_event_t* ev = xcb_poll_for_event(c);
        if (!ev) {
            if (xcb_connection_has_error(c)) break;
            int status = 0;
            if (::waitpid(child, &status, WNOHANG) == child) {
                childGone = true;
                break;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) break;
            pollfd pfd{xfd, POLLIN, 0};
            ::poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 50)));
            continue;
        }
        const Clock::time_point now = Clock::now();
        const std::uint8_t type = ev->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            auto* e = reinterpret_cast<xcb_create_notify_event_t*>(ev);
            if (e->parent == root && !e->override_redirect && haveDamage) watchDamage(c, e->window);
        } else if (type == XCB_MAP_NOTIFY) {
            auto* e = reinterpret_cast<xcb_map_notify_event_t*>(ev);
            if (e->event == root && !e->override_redirect) {
                mapped.insert(e->window);
                if (mapUs < 0) mapUs = micros(t0, now);
            }
        } else if (haveDamage && type == damageEvent) {
            auto* e = reinterpret_cast<DamageNotifyEvent*>(ev);
            if (mapped.count(e->drawable) && paintUs < 0) paintUs = micros(t0, now);
        }
        std::free(ev);
    }

    if (!childGone && mapUs >= 0) {
        ::usleep(static_cast<useconds_t>(lingerMs) * 1000);
    }
    int status = 0;
    rusage ru{};
    if (!childGone) {
        ::kill(child, SIGTERM);
        // A program that ignores SIGTERM is killed after 10 s.
        for (int i = 0; i < 1000; ++i) {
            const pid_t r = ::wait4(child, &status, WNOHANG, &ru);
            if (r == child) {
                childGone = true;
                break;
            }
            ::usleep(10000);
        }
        if (!childGone) {
            ::kill(child, SIGKILL);
            ::wait4(child, &status, 0, &ru);
        }
    } else {
        // Reaped by waitpid above without rusage: take it from the children's total.
        ::getrusage(RUSAGE_CHILDREN, &ru);
    }
    xcb_disconnect(c);

    std::printf("map_us=%lld paint_us=%lld maxrss_kb=%ld cpu_us=%lld\n", mapUs, paintUs, ru.ru_maxrss,
                timevalMicros(ru.ru_utime) + timevalMicros(ru.ru_stime));
    if (mapUs < 0 || (haveDamage && paintUs < 0)) {
        std::fprintf(stderr, "waitmap: %s\n",
                     childGone ? "the program ended before it painted a window"
                               : "no painted window before the time-out");
        return 1;
    }
    return 0;
}
