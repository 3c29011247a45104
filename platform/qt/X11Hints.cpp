#include "platform/qt/X11Hints.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace kav::qt {

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

} // namespace

void skipTaskbar(QWidget& window) {
    xcb_connection_t* c = x11Connection();
    if (!c) return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024), nullptr);
    if (r && r->format == 32 && r->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
        atoms.assign(data, data + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t a = atom(c, name);
        if (a != static_cast<xcb_atom_t>(XCB_ATOM_NONE) && std::find(atoms.begin(), atoms.end(), a) == atoms.end())
            atoms.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, static_cast<uint32_t>(atoms.size()),
                        atoms.data());
    xcb_flush(c);
}

bool frameChanged(const QByteArray& eventType, const void* message) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_property_notify_event_t*>(message);
    if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    static const xcb_atom_t extents = atom(x11Connection(), "_NET_FRAME_EXTENTS");
    return e->atom == extents;
}

void activateWithStartupId(QWidget& window, const std::string& startupId) {
    xcb_connection_t* c = x11Connection();
    const std::size_t at = startupId.rfind("_TIME");
    if (!c || at == std::string::npos) return;
    char* end = nullptr;
    const unsigned long time = std::strtoul(startupId.c_str() + at + 5, &end, 10);
    if (end == startupId.c_str() + at + 5 || *end != '\0' || time == 0 || time > UINT32_MAX) return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = static_cast<xcb_window_t>(window.winId());
    e.type = atom(c, "_NET_ACTIVE_WINDOW");
    e.data.data32[0] = 1; // from an application
    e.data.data32[1] = static_cast<uint32_t>(time);
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
}

} // namespace kav::qt
