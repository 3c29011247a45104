#pragma once
// A window's binding table as data: one row per (control, event) pair with a
// handler, written {"Command7", Event::Click, &frmMain::Command7_Click}. A
// handler takes no argument, the index of a control-array member, or the
// mouse arguments of MouseDown; bindAll hands each the part of the event's
// arguments it takes.

#include "model/Window.h"

#include <span>
#include <string_view>
#include <variant>

namespace kav {

template <class W> struct Binding {
    std::string_view control;
    Event event;
    std::variant<void (W::*)(), void (W::*)(int), void (W::*)(int, int, double, double)> handler;
};

template <class W> void bindAll(W& window, std::span<const Binding<W>> table) {
    for (const Binding<W>& row : table)
        window.bind(row.control, row.event, [&window, handler = row.handler](const EventArgs& a) {
            if (const auto* plain = std::get_if<0>(&handler))
                (window.**plain)();
            else if (const auto* indexed = std::get_if<1>(&handler))
                (window.**indexed)(a.index);
            else
                (window.*std::get<2>(handler))(a.button, a.shift, a.x, a.y);
        });
}

} // namespace kav
