// pingprobe: measures how long a window leaves the user waiting. It sends the
// window a _NET_WM_PING (the window manager's "are you alive" message, which
// a window that lists it in WM_PROTOCOLS answers from its event loop) every
// --interval-us, and times each answer. The longest wait for an answer is the
// longest stretch in which the program's event loop did not run: the longest
// freeze a user could have seen.
//
//   pingprobe [--interval-us N] --seconds S window-id
//
// Prints one line: pings=... answered=... max_ms=... p99_ms=... median_ms=...
// Only the core protocol through libxcb is used.
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

bool listsPing(xcb_connection_t* c, xcb_window_t w, xcb_atom_t protocols, xcb_atom_t ping) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, protocols, XCB_ATOM_ATOM, 0, 64), nullptr);
    bool found = false;
    if (r) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
        const int n = xcb_get_property_value_length(r) / 4;
        found = std::find(atoms, atoms + n, ping) != atoms + n;
    }
    std::free(r);
    return found;
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

} // namespace

int main(int argc, char** argv) {
    long intervalUs = 1000;
    double seconds = 0;
    xcb_window_t window = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--interval-us" && i + 1 < argc)
            intervalUs = std::strtol(argv[++i], nullptr, 10);
        else if (a == "--seconds" && i + 1 < argc)
            seconds = std::strtod(argv[++i], nullptr);
        else
            window = static_cast<xcb_window_t>(std::strtoul(argv[i], nullptr, 0));
    }
    if (!window || seconds <= 0) {
        std::fprintf(stderr, "usage: pingprobe [--interval-us N] --seconds S window-id\n");
        return 64;
    }
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "pingprobe: no X display\n");
        return 69;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(c, "_NET_WM_PING");
    if (!listsPing(c, window, protocols, ping)) {
        std::fprintf(stderr, "pingprobe: the window does not answer _NET_WM_PING\n");
        return 65;
    }
    // The answer goes to the root window, for the clients that select
    // substructure redirection (the window manager) and, depending on the
    // toolkit's version, structure or substructure notification.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    std::unordered_map<std::uint32_t, Clock::time_point> sent;
    std::vector<double> waits;
    std::uint32_t next = 1;
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
    Clock::time_point due = start;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now >= end && sent.empty()) break;
        if (now >= end + std::chrono::seconds(5)) break; // a window that never answers again
        if (now >= due && now < end) {
            xcb_client_message_event_t ev{};
            ev.response_type = XCB_CLIENT_MESSAGE;
            ev.format = 32;
            ev.window = window;
            ev.type = protocols;
            ev.data.data32[0] = ping;
            ev.data.data32[1] = next; // the timestamp field carries our number back
            ev.data.data32[2] = window;
            xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
            xcb_flush(c);
            sent[next++] = now;
            due += std::chrono::microseconds(intervalUs);
            if (due < now) due = now + std::chrono::microseconds(intervalUs);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count();
        poll(&pfd, 1, static_cast<int>(std::clamp<long long>(left, 0, 1)));
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(e);
                if (m->type == protocols && m->data.data32[0] == ping) {
                    const auto it = sent.find(m->data.data32[1]);
                    if (it != sent.end()) {
                        waits.push_back(ms(Clock::now() - it->second));
                        sent.erase(it);
                    }
                }
            } else if (e->response_type == 0 && std::getenv("PINGPROBE_DEBUG"))
                std::fprintf(stderr, "X error %u\n", reinterpret_cast<xcb_generic_error_t*>(e)->error_code);
            std::free(e);
        }
        if (xcb_connection_has_error(c)) break;
    }
    const std::size_t pings = next - 1;
    std::sort(waits.begin(), waits.end());
    const auto at = [&](double q) {
        return waits.empty() ? -1.0 : waits[static_cast<std::size_t>(q * static_cast<double>(waits.size() - 1))];
    };
    std::printf("pings=%zu answered=%zu max_ms=%.2f p99_ms=%.2f median_ms=%.2f\n", pings, waits.size(),
                waits.empty() ? -1.0 : waits.back(), at(0.99), at(0.5));
    xcb_disconnect(c);
    return waits.size() == pings ? 0 : 1;
}
